#pragma once

#include "foundation/Mdlx.h"
#include "foundation/ReportLists.h"

#include <QString>
#include <QStringList>

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

    // The item rows and the condition rows of a report, in the dialect of
    // SuiteLib's DatabaseKind.
    static QString itemRowsSql(qint64 reportId);
    static QString conditionRowsSql(qint64 reportId);

private:
    void open(const QString& sql);
    void readItems(ReportDefinition& d);
    void readConditions(ReportDefinition& d);

    Recordset& m_rs;
};

} // namespace quill
