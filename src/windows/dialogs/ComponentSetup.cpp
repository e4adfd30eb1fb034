#include "windows/dialogs/ComponentSetup.h"

#include "platform/db/Recordset.h"
#include "suite/SuiteLib.h"

namespace quill {

const QString ComponentSetup::CommandText =
    QStringLiteral("查询添加修改删除编辑保存预览打印输出图表");
const QString ComponentSetup::MenuQuery = QStringLiteral("select * from SYS02 order by cdxh");

namespace {

const QString Section = QStringLiteral("QUILL");
const QString Yes = QStringLiteral("YES");

QString key(const QString& suffix) {
    return SuiteLib::instance().ModuleTitle + suffix;
}

// The keys of the module rows and the command list are read with
// ReadSetting2, the switches with ReadSetting.
QString read2(const QString& suffix) {
    SuiteLib& lib = SuiteLib::instance();
    return lib.ReadSetting2(Section, key(suffix), lib.settingsPath());
}

bool readSwitch(const QString& suffix) {
    SuiteLib& lib = SuiteLib::instance();
    return lib.ReadSetting(Section, key(suffix), lib.settingsPath()) == Yes;
}

void store(const QString& suffix, const QString& value) {
    SuiteLib& lib = SuiteLib::instance();
    lib.WriteSetting(Section, key(suffix), value, lib.settingsPath());
}

QString yesNo(bool on) {
    return on ? Yes : QStringLiteral("NO");
}

void move(QStringList& from, int index, QStringList& to) {
    if (index < 0 || index >= from.size())
        return;
    to << from.takeAt(index);
}

} // namespace

QStringList ComponentSetup::commandNames() {
    QStringList names;
    for (qsizetype i = 0; i < CommandText.size() / 2; ++i)
        names << CommandText.mid(2 * i, 2);
    return names;
}

QStringList ComponentSetup::menuEntries(Recordset& menus) {
    menus.Close();
    menus.Open(MenuQuery, *SuiteLib::instance().Connection);
    QStringList entries;
    for (menus.MoveFirst(); !menus.Eof(); menus.MoveNext())
        entries << menus.Value(QStringLiteral("cdmc")).toString();
    return entries;
}

ComponentSetup ComponentSetup::read() {
    ComponentSetup s;
    for (int i = 0; i < Modules; ++i) {
        const QString n = QString::number(i + 1);
        s.captions[std::size_t(i)] = read2(QStringLiteral("CAP") + n);
        s.menus[std::size_t(i)] = read2(QStringLiteral("MENU") + n);
    }
    s.notAgain = readSwitch(QStringLiteral("IF"));
    s.blankForZero = readSwitch(QStringLiteral(" 0"));
    s.textFile = readSwitch(QStringLiteral("TXT"));
    for (const QString& name : commandNames()) {
        if (read2(QStringLiteral("MENU")).contains(name))
            s.withheld << name;
        else
            s.offered << name;
    }
    return s;
}

void ComponentSetup::offer(int index) {
    move(withheld, index, offered);
}

void ComponentSetup::withhold(int index) {
    move(offered, index, withheld);
}

void ComponentSetup::write() const {
    store(QStringLiteral("MENU"), withheld.join(QString()));
    for (int i = 0; i < Modules; ++i) {
        const QString n = QString::number(i + 1);
        store(QStringLiteral("CAP") + n, captions[std::size_t(i)]);
        store(QStringLiteral("MENU") + n, menus[std::size_t(i)]);
    }
    store(QStringLiteral("IF"), yesNo(notAgain));
    store(QStringLiteral(" 0"), yesNo(blankForZero));
    store(QStringLiteral("TXT"), yesNo(textFile));
}

} // namespace quill
