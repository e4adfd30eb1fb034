#include "windows/designer/ItemLists.h"

#include "foundation/ReportLists.h"
#include "platform/vb/Trim.h"
#include "suite/SuiteLib.h"

namespace quill {

namespace {

const QString Depart = QStringLiteral("DEPART");
const QString Group0 = QStringLiteral("GROUP0");
const QString Team = QStringLiteral("TEAM");

// The item's column name in upper case.
QString columnOf(const QString& item) {
    return SuiteLib::instance().ColumnLookup(item).toUpper();
}

bool isNumeric(const QString& item) {
    const QString type = SuiteLib::instance().ColumnType(item).toUpper();
    return type == QLatin1String("I") || type == QLatin1String("D");
}

void removeAt(QStringList& list, int index) {
    if (index >= 0 && index < list.size())
        list.removeAt(index);
}

} // namespace

const QString ItemLists::SelectAll = QStringLiteral("[全选]");
const QString ItemLists::ClearAll = QStringLiteral("[全清]");

QStringList& ItemLists::list(Kind kind) {
    switch (kind) {
    case Kind::Display:
        return Display;
    case Kind::Sort:
        return Sort;
    case Kind::Sum:
        return Sum;
    case Kind::Group:
        break;
    }
    return Group;
}

const QStringList& ItemLists::list(Kind kind) const {
    return const_cast<ItemLists*>(this)->list(kind);
}

void ItemLists::clear() {
    Display.clear();
    Sort.clear();
    Sum.clear();
    Group.clear();
}

void ItemLists::load(const ReportLists& stored) {
    const auto captions = [](const ReportList& list) {
        QStringList out;
        for (const QString& field : list.entries()) {
            const QString caption = SuiteLib::instance().ColumnLookup(vb::Trim(field));
            if (!caption.isEmpty())
                out << caption;
        }
        return out;
    };
    Display = captions(stored.Display);
    Sort = captions(stored.Sort);
    Sum = captions(stored.Sum);
    Group = captions(stored.Group);
}

bool ItemLists::displays(const QString& column) const {
    for (const QString& entry : Display) {
        if (columnOf(entry) == column)
            return true;
    }
    return false;
}

std::optional<QString> ItemLists::add(Kind kind, const QString& item, bool insertMode,
                                      int selected) {
    const QString already = QStringLiteral("已有此项！");
    switch (kind) {
    case Kind::Display:
        // A new display item invalidates the sort order, even when refused.
        Sort.clear();
        return addDisplay(item, insertMode, selected);
    case Kind::Sort:
        Group.clear();
        if (Sort.contains(item))
            return already;
        return addShown(kind, item);
    case Kind::Sum:
        if (Sum.contains(item))
            return already;
        if (!isNumeric(item))
            return QStringLiteral("非数字项！");
        return addShown(kind, item);
    case Kind::Group:
        Sort.clear();
        if (Group.contains(item))
            return already;
        if (isNumeric(item))
            return QStringLiteral("数字项！");
        return addShown(kind, item);
    }
    return std::nullopt;
}

std::optional<QString> ItemLists::addDisplay(const QString& item, bool insertMode, int selected) {
    if (Display.contains(item))
        return QStringLiteral("已有此项！");
    const QString column = columnOf(item);
    if (column == Group0 && !displays(Depart))
        return QStringLiteral("添加班名须先添加部门");
    if (column == Team && !displays(Group0))
        return QStringLiteral("添加组名须先添加班名");
    if (insertMode)
        Display.insert(selected >= 0 && selected < Display.size() ? selected : 0, item);
    else
        Display.append(item);
    return std::nullopt;
}

std::optional<QString> ItemLists::addShown(Kind kind, const QString& item) {
    if (Display.isEmpty())
        return std::nullopt;
    if (!Display.contains(item))
        return QStringLiteral("显示项中无此项！");
    list(kind).append(item);
    return std::nullopt;
}

std::optional<QString> ItemLists::removeDisplay(int index) {
    if (index < 0 || index >= Display.size())
        return std::nullopt;
    const QString item = Display.at(index);
    const QString column = columnOf(item);
    if (column == Depart && displays(Group0))
        return QStringLiteral("删除部门须先删除班名");
    if (column == Group0 && displays(Team))
        return QStringLiteral("删除班名须先删除组名");
    for (QStringList* other : {&Sort, &Sum, &Group})
        other->removeOne(item);
    Display.removeAt(index);
    return std::nullopt;
}

void ItemLists::remove(Kind kind, int index) {
    removeAt(list(kind), index);
}

QString ItemLists::toggleAll(const QString& caption, const QStringList& selectable) {
    Sort.clear();
    Group.clear();
    Display.clear();
    if (caption != SelectAll)
        return SelectAll;
    Display = selectable;
    return ClearAll;
}

} // namespace quill
