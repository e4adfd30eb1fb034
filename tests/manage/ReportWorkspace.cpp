#include "ReportWorkspace.h"

#include "TestSql.h"

#include "foundation/Dialect.h"
#include "foundation/Mdlx.h"
#include "platform/db/Connection.h"
#include "platform/db/SuiteSupport.h"
#include "suite/SuiteLib.h"

namespace quill::test {

namespace {

const char* const Setup[] = {
    "create table RPT (memberid varchar(10), name varchar(20), DEPART varchar(10), "
    "GROUP0 varchar(10), TEAM varchar(10), AMOUNT double precision, DAYS integer, "
    "zhtime varchar(20))",
    "insert into zdb1 values (0, 1, '数据库', 'DATABASE', false, null, null)",
    "insert into zdb1 values (1, 10, '报表测试', 'RPT', false, null, null)",
    "insert into zdb1 values (10, 11, '工号', 'memberid', false, 'S', '10')",
    "insert into zdb1 values (10, 12, '姓名', 'name', false, 'S', '20')",
    "insert into zdb1 values (10, 13, '部门', 'DEPART', false, 'S', '10')",
    "insert into zdb1 values (10, 14, '班别', 'GROUP0', false, 'S', '10')",
    "insert into zdb1 values (10, 15, '组别', 'TEAM', false, 'S', '10')",
    "insert into zdb1 values (10, 16, '金额', 'AMOUNT', false, 'D', null)",
    "insert into zdb1 values (10, 17, '天数', 'DAYS', false, 'I', null)",
    "insert into zdb1 values (10, 18, '期间', 'zhtime', false, 'S', '20')",
    "insert into zdb1 values (0, 100, '报表', 'REPORT', false, null, null)",
    "insert into zdb3 values (0, 101, '生产部', 3, '1')",
    "insert into zdb3 values (0, 102, '销售部', 3, '2')",
    "insert into zdb3 values (101, 201, '一班', 4, '1')",
    "insert into zdb3 values (102, 202, '一班', 4, '1')",
    "insert into zdb3 values (201, 301, '甲组', 5, '1')",
    "insert into zdb3 values (202, 302, '甲组', 5, '1')",
    "insert into zdb3 values (202, 303, '乙组', 5, '2')",
    "insert into RPT values ('E1', '张三', '101', '201', '301', 100.5, 20, '2024年01月')",
    "insert into RPT values ('E2', '李四', '101', '201', null, 200, 21, '2024年01月')",
    "insert into RPT values ('E3', '王五', '102', '202', '302', 300.25, 22, '2024年01月')",
    "insert into RPT values ('E4', '赵六', '102', '202', '303', 50, 23, '2024年01月')",
    "insert into RPT values ('E5', '孙七', '102', null, null, 10, 5, '2024年01月')",
    "insert into RPT values ('E6', '周八', '101', '201', '301', 999, 1, '2023年12月')",
};

QString literalOrNull(const QString& value) {
    return value.isNull() ? QStringLiteral("null") : Dialect::textLiteral(value);
}

QString entry(const QStringList& list, qsizetype k) {
    return k < list.size() ? list.at(k) : QString();
}

} // namespace

ReportWorkspace::ReportWorkspace(const ConnectionConfig& config)
    : m_config(config)
    , m_connection(std::make_shared<Connection>(config)) {
    createDictionaryTables(*m_connection);
    for (const char* sql : Setup)
        exec(QString::fromUtf8(sql));
    installSuiteSupport(*m_connection);

    SuiteLib& lib = SuiteLib::instance();
    Mdlx& m = Mdlx::instance();
    lib.reset();
    m.reset();
    lib.Connection = m_connection;
    lib.DatabaseKind = config.databaseKind;
    lib.SelectTable(QStringLiteral("RPT"));
    lib.TableName = QStringLiteral("RPT");
    lib.RangeKind = QStringLiteral("time1");
    lib.CurrentPeriod = QStringLiteral("2024年01月");
    m.PeriodFrom = lib.CurrentPeriod;
    m.PeriodTo = lib.CurrentPeriod;
}

ReportWorkspace::~ReportWorkspace() {
    SuiteLib::instance().reset();
    Mdlx::instance().reset();
}

void ReportWorkspace::useDialect(const QString& databaseKind) {
    ConnectionConfig other = m_config;
    other.databaseKind = databaseKind;
    m_other = std::make_shared<Connection>(other);
    SuiteLib::instance().Connection = m_other;
    SuiteLib::instance().DatabaseKind = databaseKind;
}

void ReportWorkspace::exec(const QString& sql) {
    execSql(*m_connection, sql);
}

long ReportWorkspace::addRow(long parid, const QString& proname, const QString& proval, bool proif,
                             const QString& proval1, const QString& proval2) {
    const long id = m_nextId++;
    exec(QStringLiteral("insert into zdb1 values (%1, %2, %3, %4, %5, %6, %7)")
             .arg(parid)
             .arg(id)
             .arg(literalOrNull(proname), literalOrNull(proval),
                  proif ? QStringLiteral("true") : QStringLiteral("false"), literalOrNull(proval1),
                  literalOrNull(proval2)));
    return id;
}

long ReportWorkspace::addReport(const Report& report) {
    const long id = addRow(100, report.name, report.table, true);
    for (qsizetype k = 0; k < report.display.size(); ++k)
        addRow(id, report.display.at(k), entry(report.sort, k), false, entry(report.sum, k),
               entry(report.group, k));
    for (const Condition& c : report.conditions)
        addRow(id, c.connective, c.field, true, c.op, c.value);
    return id;
}

} // namespace quill::test
