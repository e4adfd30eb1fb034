#include "MdlxWorkspace.h"

#include "TestSql.h"

#include "demo/DemoGenerator.h"
#include "demo/DemoLoader.h"
#include "foundation/Mdlx.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/db/SuiteSupport.h"
#include "platform/db/Transaction.h"
#include "suite/SuiteLib.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace quill::test {

namespace {

// FLAG is a yes/no column as the suite makes one on each engine: boolean on
// PostgreSQL, integer on SQLite.
QString schema(ConnectionConfig::Engine engine) {
    const bool pg = engine == ConnectionConfig::Engine::Postgres;
    return QStringLiteral(
               "create table CXB (memberid varchar(10), name varchar(20), DEPART varchar(10), "
               "GROUP0 varchar(10), TEAM varchar(10), AMOUNT double precision, DAYS integer, "
               "BIRTH date, ONTIME time, zhdate date, zhtime varchar(20), NOTE varchar(100), "
               "FLAG %1, MEMO text, PIC %2, CODE varchar(40))")
        .arg(pg ? "boolean" : "integer", pg ? "bytea" : "blob");
}

// The items of CXB (proid 11 on, below the table's row 10): caption,
// column, type code, width.
const char* const Items[][4] = {
    {"工号", "memberid", "S", "10"}, {"姓名", "name", "S", "20"},
    {"部门", "DEPART", "S", "10"},   {"班别", "GROUP0", "S", "10"},
    {"组别", "TEAM", "S", "10"},     {"金额", "AMOUNT", "D", ""},
    {"天数", "DAYS", "I", ""},       {"出生日期", "BIRTH", "T", ""},
    {"上班时间", "ONTIME", "Y", ""}, {"日期", "zhdate", "T", ""},
    {"期间", "zhtime", "S", "20"},   {"备注", "NOTE", "S", "100"},
    {"标志", "FLAG", "B", ""},       {"备忘", "MEMO", "M", ""},
    {"照片", "PIC", "O", ""},        {"代码", "CODE", "X", ""},
    {"无类型", "CODE", "", ""},      {"小写备注", "NOTE", "s", "100"},
    {"小写日期", "BIRTH", "t", ""},  {"小写时间", "ONTIME", "y", ""},
    {"小写金额", "AMOUNT", "d", ""}, {"小写天数", "DAYS", "i", ""},
    {"小写标志", "FLAG", "b", ""},
};

const char* const Organisation[] = {
    "0, 101, '生产部', 3, '1'", "0, 102, '销售部', 3, '2'", "101, 201, '一班', 4, '1'",
    "101, 202, '二班', 4, '2'", "102, 203, '三班', 4, '1'", "201, 301, '甲组', 5, '1'",
    "201, 302, '乙组', 5, '2'", "202, 303, '丙组', 5, '1'", "203, 304, '丁组', 5, '1'",
};

const char* const Rows[] = {
    "'E01', '张三', '101', '201', '301', 1500.5, 22, '1980-03-01', '08:00:00', '2024-01-05', "
    "'2024年01月', 'O''Brien', true, '甲', 'abc', 'A1'",
    "'E02', '李四', '101', '201', '302', 800, 20, '1985-07-12', '08:30:00', '2024-01-05', "
    "'2024年01月', null, false, '12', 'x', '12'",
    "'E03', '王五', '101', '202', '303', 1200, 18, '1990-11-30', '09:00:00', '2024-01-15', "
    "'2024年01月', '夜班', true, null, null, 'x y'",
    "'E04', '赵六', '102', '203', '304', 2500, 25, '1975-01-20', '08:00:00', '2024-02-05', "
    "'2024年02月', ' 空格 ', false, '是', null, '1; drop table zdb3'",
    "'E05', '钱七', '102', '203', '304', 999.99, 21, '1988-05-05', '07:45:00', '2024-02-20', "
    "'2024年02月', null, true, '1; drop table zdb3', '1', null",
    "'E06', '孙八', '101', '202', '303', 1000, 19, '1992-09-09', '08:15:00', '2024-03-01', "
    "'2024年03月', '#1', false, 'O''Brien', null, 'O''Brien'",
    "'E07', '周九', '102', '203', '304', 3000, 23, '1983-12-12', '08:00:00', '2024-01-05', "
    "'2024年01月', 'a--b', true, 'a--b', null, 'true'",
    "'E08', '吴十', '101', '201', '301', null, 0, '1995-02-28', '10:00:00', '2024-01-31', "
    "'2024年01月', '', false, '', null, ''",
    "'E09', '郑一', null, null, null, 500, 15, null, null, '2023-12-31', '2023年12月', 'x;y', "
    "null, null, null, null",
    "'E10', '王二', '102', null, null, 1800, 24, '1979-06-30', '08:45:00', '2024-02-29', "
    "'2024年02月', '空格', true, ' 空格 ', null, '0'",
    "'E11', '冯三', '101', '202', '303', 2200, 22, '1986-04-15', '08:00:00', '2024-01-20', "
    "'2024年01月', 'O''Brien', false, '中文', null, '#1'",
    "'E12', '陈四', '102', '203', '304', 50, 5, '2000-01-01', '23:59:59', '2024-02-05', "
    "'2024年02月', null, false, 'true', null, 'v'",
};

} // namespace

MdlxWorkspace::MdlxWorkspace(ConnectionConfig config, const QString& databaseKind, Data data) {
    config.databaseKind = databaseKind;
    m_connection = std::make_shared<Connection>(config);
    if (data == Data::Demo) {
        DemoLoader(*m_connection).load(DemoGenerator(DemoOptions()));
    } else {
        Transaction transaction(*m_connection);
        createDictionaryTables(*m_connection);
        m_connection->Execute(schema(config.engine));
        m_connection->Execute(
            "insert into zdb1 values (0, 1, '数据库', 'DATABASE', false, '', '')");
        m_connection->Execute("insert into zdb1 values (1, 10, '查询测试', 'CXB', false, '', '')");
        int proid = 11;
        for (const auto& [caption, column, type, width] : Items)
            m_connection->Execute(
                QStringLiteral("insert into zdb1 values (10, %1, '%2', '%3', false, '%4', '%5')")
                    .arg(proid++)
                    .arg(QString::fromUtf8(caption), column, type, width));
        for (const char* values : Organisation)
            m_connection->Execute(QStringLiteral("insert into zdb3 values (") +
                                  QString::fromUtf8(values) + QLatin1Char(')'));
        for (const char* values : Rows)
            m_connection->Execute(QStringLiteral("insert into CXB values (") +
                                  QString::fromUtf8(values) + QLatin1Char(')'));
        transaction.commit();
        installSuiteSupport(*m_connection);
    }

    Mdlx::instance().reset();
    SuiteLib& lib = SuiteLib::instance();
    lib.reset();
    lib.Connection = m_connection;
    lib.DatabaseKind = databaseKind;
    if (data == Data::QueryTable)
        selectTable("CXB", "memberid");
}

MdlxWorkspace::~MdlxWorkspace() {
    SuiteLib::instance().reset();
    Mdlx::instance().reset();
}

void MdlxWorkspace::selectTable(const QString& table, const QString& keyColumns) {
    SuiteLib::instance().SelectTable(table);
    m_table = table;
    m_keyColumns = keyColumns;
}

void MdlxWorkspace::addNote(const QString& memberid, const QString& note) {
    QSqlQuery query(m_connection->database());
    query.prepare("insert into CXB (memberid, NOTE) values (?, ?)");
    query.addBindValue(memberid);
    query.addBindValue(note);
    if (!query.exec())
        throw DbError(query.lastError().text());
}

namespace {

std::vector<std::string> sorted(const QStringList& rows) {
    std::vector<std::string> out;
    for (const QString& row : rows)
        out.push_back(row.toStdString());
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

std::vector<std::string> MdlxWorkspace::selectWhere(const QString& where) {
    Recordset records;
    records.Open(QStringLiteral("select ") + m_keyColumns + QStringLiteral(" from ") + m_table +
                     QLatin1Char(' ') + where,
                 *m_connection);
    return sorted(rowsOf(records));
}

std::vector<std::string> MdlxWorkspace::selectBound(const QString& condition,
                                                    const QVariantList& values) {
    return sorted(rows(QStringLiteral("select ") + m_keyColumns + QStringLiteral(" from ") +
                           m_table + QStringLiteral(" where ") + condition,
                       values));
}

QString MdlxWorkspace::scalar(const QString& sql) {
    const QStringList all = rows(sql);
    if (all.isEmpty())
        throw DbError(QStringLiteral("no row: ") + sql);
    return all.first();
}

QStringList MdlxWorkspace::rows(const QString& sql, const QVariantList& values) {
    QSqlQuery query(m_connection->database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw DbError(query.lastError().text() + QStringLiteral(": ") + sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw DbError(query.lastError().text() + QStringLiteral(": ") + sql);
    QStringList rows;
    while (query.next()) {
        QStringList fields;
        for (int i = 0; i < query.record().count(); ++i)
            fields << query.value(i).toString();
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList MdlxWorkspace::rowsOf(Recordset& records) {
    QStringList rows;
    for (; !records.Eof(); records.MoveNext()) {
        QStringList values;
        for (int i = 0; i < records.FieldCount(); ++i)
            values << records.Value(i).toString();
        rows << values.join(QLatin1Char('|'));
    }
    records.Close();
    return rows;
}

void inEachDialect(TestDatabase& db, Engine engine,
                   const std::function<void(const ConnectionConfig&, const QString&)>& check) {
    check(db.config(), db.config().databaseKind);
    if (engine == Engine::Sqlite) {
        TestDatabase other(Engine::Sqlite);
        check(other.config(), "2");
    }
}

} // namespace quill::test
