#include "foundation/ReportStore.h"

#include "foundation/Dialect.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "suite/SuiteLib.h"

namespace quill {

namespace {

QString field(const Recordset& rs, const char* name) {
    return rs.Value(QLatin1String(name)).toString();
}

QString childRowsSql(qint64 reportId, bool conditions) {
    const Dialect dialect = Dialect::fromKind(SuiteLib::instance().DatabaseKind);
    return QStringLiteral("select * from zdb1 where ") +
           dialect.booleanCondition(QStringLiteral("proif"), conditions) +
           QStringLiteral(" and parid=") + QString::number(reportId) +
           QStringLiteral(" order by proid");
}

QString reportsOf(qint64 rootId) {
    return QStringLiteral("select * from zdb1 where parid=") + QString::number(rootId) +
           QStringLiteral(" and proval=") + Dialect::textLiteral(SuiteLib::instance().TableName);
}

} // namespace

ReportStore::ReportStore(Recordset& recordset)
    : m_rs(recordset) {}

QString ReportStore::itemRowsSql(qint64 reportId) {
    return childRowsSql(reportId, false);
}

QString ReportStore::conditionRowsSql(qint64 reportId) {
    return childRowsSql(reportId, true);
}

void ReportStore::open(const QString& sql) {
    SuiteLib& lib = SuiteLib::instance();
    if (!lib.Connection)
        throw DbError(QStringLiteral("没有打开的数据库连接"));
    m_rs.Close();
    m_rs.Open(sql, *lib.Connection);
}

std::optional<qint64> ReportStore::rootId() {
    open(QStringLiteral("select * from zdb1 where parid=0 and proval='REPORT'"));
    if (m_rs.Eof())
        return std::nullopt;
    return m_rs.Value(QStringLiteral("proid")).toLongLong();
}

QStringList ReportStore::names(qint64 rootId) {
    open(reportsOf(rootId) + QStringLiteral(" order by proid"));
    QStringList out;
    for (; !m_rs.Eof(); m_rs.MoveNext())
        out << field(m_rs, "proname");
    return out;
}

std::optional<ReportDefinition> ReportStore::read(const QString& name) {
    const std::optional<qint64> root = rootId();
    if (!root)
        return std::nullopt;
    open(reportsOf(*root) + QStringLiteral(" and proname=") + Dialect::textLiteral(name) +
         QStringLiteral(" order by proid"));
    if (m_rs.Eof())
        return std::nullopt;
    ReportDefinition d;
    d.id = m_rs.Value(QStringLiteral("proid")).toLongLong();
    readItems(d);
    readConditions(d);
    return d;
}

void ReportStore::readItems(ReportDefinition& d) {
    open(itemRowsSql(d.id));
    for (int r = 0; r < ReportLists::MaxRows && !m_rs.Eof(); ++r, m_rs.MoveNext()) {
        d.lists.Display.addRow(field(m_rs, "proname"));
        d.lists.Sort.addRow(field(m_rs, "proval"));
        d.lists.Sum.addRow(field(m_rs, "proval1"));
        d.lists.Group.addRow(field(m_rs, "proval2"));
    }
}

void ReportStore::readConditions(ReportDefinition& d) {
    open(conditionRowsSql(d.id));
    int n = 0;
    for (; n < MaxConditions && !m_rs.Eof(); ++n, m_rs.MoveNext())
        d.conditions[std::size_t(n)] = {field(m_rs, "proname"), field(m_rs, "proval"),
                                        field(m_rs, "proval1"), field(m_rs, "proval2")};
    d.conditionCount = std::int16_t(n);
}

} // namespace quill
