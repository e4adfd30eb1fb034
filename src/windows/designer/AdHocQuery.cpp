#include "windows/designer/AdHocQuery.h"

#include "foundation/Mdlx.h"
#include "foundation/QueryComposer.h"
#include "suite/SuiteLib.h"
#include "windows/designer/ItemLists.h"

#include <QStringList>

namespace quill {

namespace {

// The column of every caption; "" for one the table lacks, which the
// composer leaves out.
QStringList columns(const QStringList& captions) {
    const SuiteLib& lib = SuiteLib::instance();
    QStringList out;
    for (const QString& caption : captions)
        out << lib.ColumnLookup(caption);
    return out;
}

} // namespace

std::optional<QString> AdHocQuery::refuseDisplay(const ItemLists& lists) {
    if (lists.Display.isEmpty())
        return QStringLiteral("请选定显示项目！");
    if (lists.Display.size() > MaxDisplayItems)
        return QStringLiteral("选定显示项目的数量不能超过100个！");
    return std::nullopt;
}

std::optional<QString> AdHocQuery::commitConditions() {
    Mdlx& m = Mdlx::instance();
    const QString refused = m.CommitConditions(m.EditedCount);
    if (refused.isEmpty())
        return std::nullopt;
    return refused;
}

void AdHocQuery::compose(const ItemLists& lists) {
    Mdlx::instance().BuildSelection();
    QueryComposer::compose(columns(lists.Display), columns(lists.Sort), columns(lists.Group));
    QueryComposer::takeSums(columns(lists.Sum));
}

} // namespace quill
