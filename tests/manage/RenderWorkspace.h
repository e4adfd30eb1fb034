#pragma once

#include "platform/db/ConnectionConfig.h"
#include "platform/grid/Sheet.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace quill {
class Connection;
}

namespace quill::test {

// A query table RSB with its dictionary rows, an organisation tree and a
// report folder, with SuiteLib and Mdlx pointed at them.
// Fields (caption, type, format): memberid 工号 S, name 姓名 S, DEPART 部门 S,
// GROUP0 班别 S, TEAM 组别 S, AMOUNT 金额 D, PAY 工资 D "#0.0", DAYS 天数 I,
// BIRTH 出生日期 T, ONTIME 上班时间 Y, sumAMOUNT 应发合计 D, NOTE 备注 S,
// SECRET 密码 S, MARKFM0 标记 S, zhtime 期间 S.
// Organisation: 生产部 101 { 一班 201 { 甲组 301 } }, 销售部 102 { 三班 203 { 丁组 304 } }.
class RenderWorkspace {
public:
    RenderWorkspace(ConnectionConfig config, const QString& folder);
    ~RenderWorkspace();

    Connection& connection() { return *m_connection; }
    QString reportFolder() const { return m_folder + QStringLiteral("/report"); }

    // One row: the columns named, the values SQL literals in their order;
    // the other columns null.
    void insert(const QString& columns, const QString& values);
    // count rows n = 1..count: memberid "E" + (100000 + n), AMOUNT n + 0.5, DAYS n, PAY 1, other
    // fields null.
    void insertNumbered(int count);
    // The query the renderer runs: "select " + fields + " from RSB " + where + order by memberid.
    void setQuery(const QString& fields, const QString& where = QString());

    // Sheets written through the grid's workbook writer.
    void writeBaseSheet(const Sheet& sheet) const;
    void writeTemplate(const QString& report, const Sheet& sheet) const;
    // A template whose first row holds the five parameters, the title
    // "工资表" in (2, 2) and the given texts in row `headingRow`.
    static Sheet templateSheet(const QList<int>& parameters, int headingRow = 0,
                               const QStringList& headings = {});

    void writeSetting(const QString& key, const QString& value) const;

private:
    QString m_folder;
    std::shared_ptr<Connection> m_connection;
};

} // namespace quill::test
