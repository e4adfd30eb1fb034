#include "foundation/QueryComposer.h"

#include "foundation/Mdlx.h"
#include "foundation/TypeCode.h"
#include "suite/SuiteLib.h"

#include <algorithm>

namespace quill {

namespace {

// The items the current table has, in list order.
QStringList present(const QStringList& items) {
    const SuiteLib& lib = SuiteLib::instance();
    QStringList out;
    for (const QString& item : items) {
        if (!item.isEmpty() && !lib.ColumnLookup(item).isEmpty())
            out << item;
    }
    return out;
}

bool isNumber(const QString& item) {
    const TypeCode code = typeCodeOf(SuiteLib::instance().ColumnType(item.trimmed()));
    return code == TypeCode::D || code == TypeCode::I;
}

// A grouped select list: group items stay plain, joined by ","; any other
// item is aggregated, joined by ", ". The first written takes no separator.
QString groupedList(const QStringList& display, const QStringList& groups) {
    QString out;
    for (const QString& item : display) {
        if (groups.contains(item, Qt::CaseInsensitive)) {
            out += out.isEmpty() ? item : QStringLiteral(",") + item;
            continue;
        }
        const QString aggregate =
            (isNumber(item) ? QStringLiteral("sum(") : QStringLiteral("count(")) + item +
            QStringLiteral(") as sum") + item;
        out += out.isEmpty() ? aggregate : QStringLiteral(", ") + aggregate;
    }
    return out;
}

} // namespace

void QueryComposer::compose(const QStringList& display, const QStringList& sort,
                            const QStringList& group) {
    SuiteLib& lib = SuiteLib::instance();
    const QStringList shown = present(display);
    const QStringList groups = present(group);
    if (groups.isEmpty()) {
        const QStringList sorts = present(sort);
        lib.SqlSelect = QStringLiteral("select ") + shown.join(u',') + QLatin1Char(' ');
        lib.SqlFrom = QStringLiteral(" from ") + lib.TableName + QLatin1Char(' ');
        lib.SqlOrder =
            sorts.isEmpty() ? QString() : QStringLiteral(" order by ") + sorts.join(u',');
        lib.SqlGroup = QString();
    } else {
        lib.SqlSelect = QStringLiteral("select ") + groupedList(shown, groups) + QLatin1Char(' ');
        lib.SqlFrom = QStringLiteral("from ") + lib.TableName + QLatin1Char(' ');
        lib.SqlGroup = QStringLiteral(" group by ") + groups.join(u',');
        lib.SqlOrder = QStringLiteral(" order by ") + groups.join(u',');
    }
    lib.joinQuery();
}

void QueryComposer::composeTable() {
    SuiteLib& lib = SuiteLib::instance();
    lib.SqlSelect = QStringLiteral("select * ");
    lib.SqlFrom = QStringLiteral("from ") + lib.TableName + QLatin1Char(' ');
    lib.SqlGroup = QString();
    lib.SqlOrder = QString();
    lib.joinQuery();
}

void QueryComposer::takeSums(const QStringList& sums) {
    Mdlx& m = Mdlx::instance();
    m.SumCount = std::min<std::int32_t>(std::int32_t(sums.size()), Mdlx::MaxSumFields);
    for (int i = 0; i < Mdlx::MaxSumFields; ++i)
        m.SumFields[std::size_t(i)] = i < m.SumCount ? sums.at(i) : QString();
}

} // namespace quill
