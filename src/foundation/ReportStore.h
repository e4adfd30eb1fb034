#pragma once

#include "foundation/Mdlx.h"
#include "foundation/ReportLists.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <cstdint>
#include <optional>

namespace quill {

class Recordset;

// A saved report as its zdb1 rows hold it.
struct ReportDefinition {
    qint64 id = 0;
    // The four item lists side by side, row k of the report carrying the
    // k-th entry of each.
    ReportLists lists;
    // The condition rows in proid order, as stored: connective, the item's
    // field name (not its caption), operator, and the value as the
    // condition grid showed it (a unit's name, not its code).
    Mdlx::ConditionTable conditions{};
    std::int16_t conditionCount = 0;
};

// What the designer stores as a report: its name (blanks removed at both
// ends), the four item lists as field names, and the condition rows DRCX
// accepted (connective, field name, operator, value as the grid shows it).
struct ReportDraft {
    QString name;
    QStringList display;
    QStringList sort;
    QStringList sum;
    QStringList group;
    Mdlx::ConditionTable conditions{};
    std::int16_t conditionCount = 0;
};

// The saved reports of the current table (SuiteLib's TableName) in zdb1:
// under the one REPORT root row, a report row per report (proname its name,
// proval its table), and below it item rows (proif false) and condition rows
// (proif true) in proid order. Every reader and writer of reports goes
// through here. Database errors raise DbError.
class ReportStore {
public:
    // Condition rows read at most; the designer never stores more.
    static constexpr int MaxConditions = Mdlx::MaxConditions;

    // Works through `recordset` (closed and reopened for every read) on
    // SuiteLib's connection.
    explicit ReportStore(Recordset& recordset);

    // The proid of the REPORT root row; none when there is no such row.
    std::optional<qint64> rootId();
    // The names of the table's reports under that root, in proid order.
    QStringList names(qint64 rootId);
    // The report of that name of the current table, read whole; none when
    // it (or the REPORT root) does not exist.
    std::optional<ReportDefinition> read(const QString& name);

    // Writes: each one transaction, all or nothing. They return the status
    // text of a refusal or failure ("已有此报表名称！", "报表已被其他用户修改或删除",
    // "报表保存失败：" + the database's reason), empty text on success.
    // The REPORT root row is created when missing.
    QString add(const ReportDraft& report);
    // Replaces the report named `oldName` (renamed to report.name); it keeps
    // its proid and so its place in the list.
    QString modify(const QString& oldName, const ReportDraft& report);
    // Deletes the report and its rows; its workbook, if any, stays.
    QString remove(const QString& name);

    // The name checks of add and modify on the text as typed: "请输入报表名称！"
    // or "无效报表名称！" (a plain number, or the list's heading); empty when
    // the name may be used.
    static QString nameRefusal(const QString& typed);
    // The workbook of a report: ReportFolder/name.vts. A report that has one
    // is a template report, and its name is locked.
    static QString workbookPath(const QString& name);
    static bool hasWorkbook(const QString& name);

    // The item rows and the condition rows of a report, in the dialect of
    // SuiteLib's DatabaseKind.
    static QString itemRowsSql(qint64 reportId);
    static QString conditionRowsSql(qint64 reportId);

private:
    void open(const QString& sql);
    std::optional<qint64> find(qint64 rootId, const QString& name);
    qint64 ensureRoot();
    void addRow(qint64 parid, const QVariantList& values);
    void addChildren(qint64 reportId, const ReportDraft& report);
    // Runs `write` in one transaction, with reports locked against other
    // writers; maps its failures to status texts.
    template <typename Write> QString transact(Write write);
    void readItems(ReportDefinition& d);
    void readConditions(ReportDefinition& d);

    Recordset& m_rs;
};

} // namespace quill
