#pragma once

#include "platform/db/ConnectionConfig.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace quill {
class Connection;
}

namespace quill::test {

// A table RPT with its dictionary, an organisation tree, six records and a
// REPORT root, with SuiteLib pointed at them (range "time1", 2024年01月).
// Fields (caption, type): memberid 工号 S, name 姓名 S, DEPART 部门 S,
// GROUP0 班别 S, TEAM 组别 S, AMOUNT 金额 D, DAYS 天数 I, zhtime 期间 S.
// Organisation: 生产部 101 { 一班 201 { 甲组 301 } },
//               销售部 102 { 一班 202 { 甲组 302, 乙组 303 } }.
// Records of 2024年01月 (memberid, DEPART, GROUP0, TEAM, AMOUNT, DAYS):
// E1 101 201 301 100.5 20, E2 101 201 - 200 21, E3 102 202 302 300.25 22,
// E4 102 202 303 50 23, E5 102 - - 10 5; and E6 101 201 301 999 1 of 2023年12月.
class ReportWorkspace {
public:
    struct Condition {
        QString connective;
        QString field;
        QString op;
        QString value;
    };
    struct Report {
        QString name;
        QStringList display;
        QStringList sort;
        QStringList sum;
        QStringList group;
        QList<Condition> conditions;
        QString table = QStringLiteral("RPT");
    };

    explicit ReportWorkspace(const ConnectionConfig& config);
    ~ReportWorkspace();

    Connection& connection() { return *m_connection; }
    // A connection to the same database in the other dialect, made current
    // in SuiteLib (DatabaseKind "1" or "2").
    void useDialect(const QString& databaseKind);

    // Stores the report as the designer does: the report row, then one item
    // row per display item, then one row per condition. Returns its proid.
    long addReport(const Report& report);
    // One zdb1 row with the next proid.
    long addRow(long parid, const QString& proname, const QString& proval, bool proif,
                const QString& proval1 = QString(), const QString& proval2 = QString());
    void exec(const QString& sql);

private:
    ConnectionConfig m_config;
    std::shared_ptr<Connection> m_connection;
    std::shared_ptr<Connection> m_other;
    long m_nextId = 1000;
};

} // namespace quill::test
