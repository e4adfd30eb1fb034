#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace quill {

class Recordset;

// The set-up dialog's rules, apart from its controls: what it reads from the
// settings (section "QUILL", keys ModuleTitle + suffix), how its two command
// lists trade items, and what its OK writes, in which order.
class ComponentSetup {
public:
    static constexpr int Modules = 3;
    // The ten two-character command names, one after another.
    static const QString CommandText; // "查询添加修改删除编辑保存预览打印输出图表"
    static const QString MenuQuery; // "select * from SYS02 order by cdxh"

    static QStringList commandNames();
    // The cdmc texts of SYS02 in cdxh order, read through `menus` on the
    // suite's connection; raises DbError when SYS02 cannot be read.
    static QStringList menuEntries(Recordset& menus);
    // The values the settings hold now.
    static ComponentSetup read();

    // Module rows 1..3 at indexes 0..2: the button caption and the SYS02 entry.
    std::array<QString, Modules> captions;
    std::array<QString, Modules> menus;
    QStringList withheld;      // List3, in list order
    QStringList offered;       // List4, in list order
    bool notAgain = false;     // "IF"
    bool blankForZero = false; // " 0"
    bool textFile = false;     // "TXT"

    // Double clicks: the item at `index` goes to the end of the other list.
    void offer(int index);
    void withhold(int index);

    // OK: "MENU"; then "CAP1", "MENU1" … "CAP3", "MENU3"; then "IF", " 0",
    // "TXT". Raises SettingsError when a value cannot be written; those
    // before it stay written.
    void write() const;
};

} // namespace quill
