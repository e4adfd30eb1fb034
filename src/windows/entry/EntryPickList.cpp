#include "windows/entry/EntryPickList.h"

#include "foundation/ValueLists.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/entry/RecordEntry.h"

namespace quill {

void EntryPickList::clear(F1Book& grid) {
    for (int n = grid.ObjItemCount(DropDown); n > 0; --n)
        grid.ObjDeleteItem(DropDown, 0);
}

QString EntryPickList::show(RecordEntry& entry, int row, int col) {
    const SuiteLib& lib = SuiteLib::instance();
    const QString caption = entry.field(row).caption;
    const auto above = [&entry, row](int up) {
        return row - up >= 1 ? entry.valueText(row - up).trimmed() : QString();
    };
    std::optional<QStringList> names;
    if (caption == lib.ColumnLookup(QStringLiteral("team"))) {
        if (row <= 2 || above(2).isEmpty() || above(1).isEmpty())
            return QStringLiteral("请先确定班名和部门！");
        names = ValueLists::groups(above(2), above(1));
    } else if (caption == lib.ColumnLookup(QStringLiteral("group0"))) {
        if (row <= 1 || above(1).isEmpty())
            return QStringLiteral("请先确定部门！");
        names = ValueLists::teams(above(1));
    } else {
        names = ValueLists::pickList(caption.trimmed());
    }
    if (!names)
        return QString();
    F1Book& grid = entry.grid();
    grid.ObjAddItem(DropDown, QStringLiteral(" "));
    for (const QString& name : *names)
        grid.ObjAddItem(DropDown, name);
    const int active = grid.ActiveRow();
    grid.ObjSetPos(DropDown, float(col - 1), float(std::max(active - 1, 0)), float(col),
                   float(active + 5));
    grid.SetObjVisible(DropDown, true);
    return QString();
}

} // namespace quill
