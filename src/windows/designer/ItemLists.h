#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quill {

struct ReportLists;

// The designer's item lists, as captions: display items (List2), sort items
// (List3), sum items (List4) and group items (List5), with the rules by
// which items are added and removed. Each rule returns the text for the
// status bar, or nothing. Two entries are the same item when their texts
// are equal; items are told apart by their column in the suite's column
// dictionary of the current table.
class ItemLists {
public:
    enum class Kind { Display, Sort, Sum, Group };

    static const QString SelectAll; // "[全选]"
    static const QString ClearAll;  // "[全清]"

    QStringList Display;
    QStringList Sort;
    QStringList Sum;
    QStringList Group;

    QStringList& list(Kind kind);
    const QStringList& list(Kind kind) const;
    void clear();
    // The lists of a stored report, its field names shown as captions;
    // fields the table no longer has are left out.
    void load(const ReportLists& stored);

    // A double click on `item` in List1 while the option of `kind` is
    // chosen. In insert mode a display item goes before the display entry
    // `selected` (before the first when none is selected, -1).
    std::optional<QString> add(Kind kind, const QString& item, bool insertMode = false,
                               int selected = -1);
    // A double click on the display entry at `index`: refused while the
    // units below a department or team are shown; otherwise the item also
    // leaves the sort, sum and group lists.
    std::optional<QString> removeDisplay(int index);
    // A double click on the entry at `index` of the sort, sum or group list.
    void remove(Kind kind, int index);
    // The select-all / clear-all switch with the caption it shows: empties
    // the display, sort and group lists (sums stay); "[全选]" then shows
    // every selectable item. Returns the switch's new caption.
    QString toggleAll(const QString& caption, const QStringList& selectable);

private:
    std::optional<QString> addDisplay(const QString& item, bool insertMode, int selected);
    // Refused while the item is missing from the display list; silent while
    // that list is empty.
    std::optional<QString> addShown(Kind kind, const QString& item);
    bool displays(const QString& column) const;
};

} // namespace quill
