#pragma once

#include "TestDatabase.h"

#include "platform/db/ConnectionConfig.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quill {
class Connection;
class Recordset;
} // namespace quill

namespace quill::test {

// A database that SuiteLib uses as its own, with one of two data sets:
//
// QueryTable: a small table CXB with its zdb1 dictionary rows and a zdb3
// organisation tree. Departments 生产部 (code 101) and 销售部 (102); teams
// 一班 (201) and 二班 (202) of 101, 三班 (203) of 102; groups 甲组 (301), 乙组
// (302) of 201, 丙组 (303) of 202, 丁组 (304) of 203. Items: 工号 memberid, 姓名
// name, 部门 DEPART, 班别 GROUP0, 组别 TEAM (S); 金额 AMOUNT (D); 天数 DAYS (I);
// 出生日期 BIRTH, 日期 zhdate (T); 上班时间 ONTIME (Y); 期间 zhtime, 备注 NOTE (S);
// 标志 FLAG (B: boolean on PostgreSQL, integer on SQLite); 备忘 MEMO (M); 照片
// PIC (O); 代码 CODE (X, a code no rule knows) and 无类型 CODE (empty type);
// and items with lower-case codes: 小写备注 NOTE (s), 小写日期 BIRTH (t), 小写时间
// ONTIME (y), 小写金额 AMOUNT (d), 小写天数 DAYS (i), 小写标志 FLAG (b).
//
// Demo: the demo workspace's data (pay table GZB by period, attendance table
// KQB by date).
class MdlxWorkspace {
public:
    enum class Data { QueryTable, Demo };

    // Opens the database with the given DatabaseKind, loads the data and
    // points SuiteLib at it (SuiteLib and Mdlx are reset first); the current
    // table is CXB, or none for the demo data.
    MdlxWorkspace(ConnectionConfig config, const QString& databaseKind,
                  Data data = Data::QueryTable);
    ~MdlxWorkspace();

    Connection& connection() { return *m_connection; }
    // Makes the table current in SuiteLib; rows are read from it, identified
    // by the given columns.
    void selectTable(const QString& table, const QString& keyColumns);

    // Adds one CXB row with the given memberid and NOTE (other columns null).
    void addNote(const QString& memberid, const QString& note);
    // The rows of "select <key columns> from <table> " + where, run as the
    // module runs its queries (in the connection's dialect), sorted.
    std::vector<std::string> selectWhere(const QString& where);
    // The rows of a hand-written condition with bound values, run on the
    // engine as it is (no dialect rewriting), sorted.
    std::vector<std::string> selectBound(const QString& condition, const QVariantList& values = {});
    // The first value of a hand-written query.
    QString scalar(const QString& sql);
    // The rows of a hand-written query with bound values, run on the engine
    // as it is, fields joined by "|", in the order the query gives.
    QStringList rows(const QString& sql, const QVariantList& values = {});
    // The rows of an open recordset, fields joined by "|"; closes it.
    static QStringList rowsOf(Recordset& records);

private:
    std::shared_ptr<Connection> m_connection;
    QString m_table;
    QString m_keyColumns;
};

// Runs the check on the test database in its own dialect; on SQLite, also on
// a second SQLite database in the quote dialect.
void inEachDialect(TestDatabase& db, Engine engine,
                   const std::function<void(const ConnectionConfig&, const QString&)>& check);

} // namespace quill::test
