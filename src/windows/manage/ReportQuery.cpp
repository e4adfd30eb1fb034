#include "windows/manage/ReportQuery.h"

#include "foundation/ReportLists.h"
#include "foundation/TypeCode.h"
#include "suite/SuiteLib.h"

#include <functional>

namespace quill {

namespace {

// The items the current table has, each written by `text`, joined by ",".
QString join(const QStringList& items,
             const std::function<QString(const QString&, bool first)>& text) {
    const SuiteLib& lib = SuiteLib::instance();
    QString out;
    for (const QString& item : items) {
        if (lib.ColumnLookup(item).isEmpty())
            continue;
        out += text(item, out.isEmpty());
    }
    return out;
}

QString plain(const QString& item, bool first) {
    return first ? item : QStringLiteral(",") + item;
}

bool isNumber(const QString& item) {
    const TypeCode code = typeCodeOf(SuiteLib::instance().ColumnType(item));
    return code == TypeCode::D || code == TypeCode::I;
}

// A grouped select item: numbers become their sum under the name "sum" + item.
QString grouped(const QString& item, bool first) {
    if (!isNumber(item))
        return plain(item, first);
    const QString sum = QStringLiteral("sum(") + item + QStringLiteral(") as sum") + item;
    return first ? sum : QStringLiteral(", ") + sum;
}

} // namespace

void ReportQuery::Compose(const ReportLists& lists) {
    SuiteLib& lib = SuiteLib::instance();
    const QString groups = join(lists.Group.entries(), plain);
    if (groups.isEmpty()) {
        lib.SqlSelect =
            QStringLiteral("select ") + join(lists.Display.entries(), plain) + QLatin1Char(' ');
        lib.SqlFrom = QStringLiteral(" from ") + lib.TableName + QLatin1Char(' ');
        const QString sorts = join(lists.Sort.entries(), plain);
        lib.SqlOrder = sorts.isEmpty() ? QString() : QStringLiteral(" order by ") + sorts;
        lib.SqlGroup = QString();
        return;
    }
    lib.SqlSelect =
        QStringLiteral("select ") + join(lists.Display.entries(), grouped) + QLatin1Char(' ');
    lib.SqlFrom = QStringLiteral("from ") + lib.TableName + QLatin1Char(' ');
    lib.SqlOrder = QStringLiteral(" order by ") + groups;
    lib.SqlGroup = QStringLiteral(" group by ") + groups;
}

} // namespace quill
