#include "RenderWorkspace.h"

#include "TestSql.h"

#include "foundation/Mdlx.h"
#include "platform/db/Connection.h"
#include "platform/grid/WorkbookWriter.h"
#include "suite/SuiteLib.h"

#include <QDir>

namespace quill::test {

namespace {

const char* const Schema =
    "create table RSB (memberid varchar(10), name varchar(20), DEPART varchar(10), "
    "GROUP0 varchar(10), TEAM varchar(10), AMOUNT double precision, PAY double precision, "
    "DAYS integer, BIRTH date, ONTIME time, sumAMOUNT double precision, NOTE varchar(100), "
    "SECRET varchar(20), MARKFM0 varchar(20), zhtime varchar(20))";

const char* const Dictionary[] = {
    "insert into zdb1 values (0, 1, '数据库', 'DATABASE', false, '', '')",
    "insert into zdb1 values (1, 10, '结果测试', 'RSB', false, '', '')",
    "insert into zdb1 values (10, 11, '工号', 'memberid', false, 'S', '10')",
    "insert into zdb1 values (10, 12, '姓名', 'name', false, 'S', '20')",
    "insert into zdb1 values (10, 13, '部门', 'DEPART', false, 'S', '10')",
    "insert into zdb1 values (10, 14, '班别', 'GROUP0', false, 'S', '10')",
    "insert into zdb1 values (10, 15, '组别', 'TEAM', false, 'S', '10')",
    "insert into zdb1 values (10, 16, '金额', 'AMOUNT', false, 'D', '')",
    "insert into zdb1 values (10, 17, '工资', 'PAY', false, 'D', '#0.0')",
    "insert into zdb1 values (10, 18, '天数', 'DAYS', false, 'I', '')",
    "insert into zdb1 values (10, 19, '出生日期', 'BIRTH', false, 'T', '')",
    "insert into zdb1 values (10, 20, '上班时间', 'ONTIME', false, 'Y', '')",
    "insert into zdb1 values (10, 21, '应发合计', 'sumAMOUNT', false, 'D', '')",
    "insert into zdb1 values (10, 22, '备注', 'NOTE', false, 'S', '100')",
    "insert into zdb1 values (10, 23, '密码', 'SECRET', false, 'S', '20')",
    "insert into zdb1 values (10, 24, '标记', 'MARKFM0', false, 'S', '20')",
    "insert into zdb1 values (10, 25, '期间', 'zhtime', false, 'S', '20')",
};

const char* const Organisation[] = {
    "insert into zdb3 values (0, 101, '生产部', 3, '1')",
    "insert into zdb3 values (0, 102, '销售部', 3, '2')",
    "insert into zdb3 values (101, 201, '一班', 4, '1')",
    "insert into zdb3 values (102, 203, '三班', 4, '1')",
    "insert into zdb3 values (201, 301, '甲组', 5, '1')",
    "insert into zdb3 values (203, 304, '丁组', 5, '1')",
};

} // namespace

RenderWorkspace::RenderWorkspace(ConnectionConfig config, const QString& folder)
    : m_folder(folder)
    , m_connection(std::make_shared<Connection>(config)) {
    createDictionaryTables(*m_connection);
    execSql(*m_connection, QString::fromUtf8(Schema));
    for (const char* sql : Dictionary)
        execSql(*m_connection, QString::fromUtf8(sql));
    for (const char* sql : Organisation)
        execSql(*m_connection, QString::fromUtf8(sql));
    QDir(folder).mkpath(QStringLiteral("report"));
    QDir(folder).mkpath(QStringLiteral("home"));

    Mdlx::instance().reset();
    SuiteLib& lib = SuiteLib::instance();
    lib.reset();
    lib.Connection = m_connection;
    lib.DatabaseKind = config.databaseKind;
    lib.SelectTable(QStringLiteral("RSB"));
    lib.TableName = QStringLiteral("RSB");
    lib.ReportFolder = reportFolder();
    lib.SettingsFolder = folder + QStringLiteral("/home");
    lib.SettingsFileName = QStringLiteral("quill.ini");
    lib.QueryCaption = QStringLiteral("结果测试[2024年01月]");
    lib.CurrentPeriod = QStringLiteral("2024年01月");
    setQuery(QStringLiteral("*"));
    writeBaseSheet(Sheet());
}

RenderWorkspace::~RenderWorkspace() {
    SuiteLib::instance().reset();
    Mdlx::instance().reset();
}

void RenderWorkspace::insert(const QString& columns, const QString& values) {
    execSql(*m_connection, QStringLiteral("insert into RSB (%1) values (%2)").arg(columns, values));
}

void RenderWorkspace::insertNumbered(int count) {
    execSql(*m_connection,
            QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i "
                           "< %1) insert into RSB (memberid, AMOUNT, DAYS, PAY) select 'E' || "
                           "(100000 + i), i + 0.5, i, 1 from n")
                .arg(count));
}

void RenderWorkspace::setQuery(const QString& fields, const QString& where) {
    SuiteLib& lib = SuiteLib::instance();
    lib.SqlSelect = QStringLiteral("select ") + fields + QLatin1Char(' ');
    lib.SqlFrom = QStringLiteral(" from RSB ");
    lib.SqlWhere = where;
    lib.SqlGroup.clear();
    lib.SqlOrder = QStringLiteral(" order by memberid");
}

void RenderWorkspace::writeBaseSheet(const Sheet& sheet) const {
    WorkbookWriter::save(sheet, reportFolder() + QStringLiteral("/quill.vts"));
}

void RenderWorkspace::writeTemplate(const QString& report, const Sheet& sheet) const {
    WorkbookWriter::save(sheet,
                         reportFolder() + QLatin1Char('/') + report + QStringLiteral(".vts"));
}

Sheet RenderWorkspace::templateSheet(const QList<int>& parameters, int headingRow,
                                     const QStringList& headings) {
    Sheet sheet;
    sheet.resize(std::max(2, headingRow), std::max<int>(5, int(headings.size())));
    for (int k = 0; k < parameters.size(); ++k)
        sheet.setEntry(0, k, QString::number(parameters[k]));
    sheet.setEntry(1, 1, QStringLiteral("工资表"));
    sheet.setBold(1, 1, true);
    for (int c = 0; c < headings.size(); ++c)
        sheet.setEntry(headingRow - 1, c, headings[c]);
    return sheet;
}

void RenderWorkspace::writeSetting(const QString& key, const QString& value) const {
    SuiteLib& lib = SuiteLib::instance();
    lib.WriteSetting(QStringLiteral("COLUMN"), key, value, lib.settingsPath());
}

} // namespace quill::test
