#pragma once

#include "platform/db/ConnectionConfig.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace quill {
class Connection;
}

namespace quill::test {

// A small query table CXB with its zdb1 dictionary rows and a zdb3
// organisation tree, on one connection that SuiteLib uses as its own.
// Departments 生产部 (code 101) and 销售部 (102); teams 一班 (201) and 二班 (202)
// of 101, 三班 (203) of 102; groups 甲组 (301), 乙组 (302) of 201, 丙组 (303) of
// 202, 丁组 (304) of 203. Items: 工号 memberid, 姓名 name, 部门 DEPART, 班别 GROUP0,
// 组别 TEAM (S); 金额 AMOUNT (D); 天数 DAYS (I); 出生日期 BIRTH, 日期 zhdate (T);
// 上班时间 ONTIME (Y); 期间 zhtime, 备注 NOTE (S); 标志 FLAG (B).
class MdlxWorkspace {
public:
    // Opens the database with the given DatabaseKind, creates and fills the
    // tables, and points SuiteLib and Mdlx at them (both reset first).
    MdlxWorkspace(ConnectionConfig config, const QString& databaseKind);
    ~MdlxWorkspace();

    Connection& connection() { return *m_connection; }
    bool quoteDialect() const;

    // Adds one CXB row with the given memberid and NOTE (other columns null).
    void addNote(const QString& memberid, const QString& note);
    // memberids of "select memberid from CXB " + where, run as the module
    // runs its queries (in the connection's dialect).
    QSet<QString> selectWhere(const QString& where);
    // memberids of a hand-written query with bound values, run on the engine
    // as it is (no dialect rewriting).
    QSet<QString> selectBound(const QString& sql, const QVariantList& values = {});

private:
    std::shared_ptr<Connection> m_connection;
};

} // namespace quill::test
