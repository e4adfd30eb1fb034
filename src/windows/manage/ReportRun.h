#pragma once

#include "foundation/Mdlx.h"
#include "windows/manage/ReportLists.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace quill {

class Recordset;

// The report choice of the main window: a click on an entry of the report
// list turns the saved report into the suite's query parts, QuerySql, the
// active conditions and the sum items. The window then refreshes its
// commands and renders the sheet.
class ReportRun {
public:
    // Condition rows read at most; the designer never stores more.
    static constexpr int MaxConditions = Mdlx::MaxConditions;

    // Reads zdb1 through the window's dictionary recordset.
    explicit ReportRun(Recordset& dictionary);

    // The entry at `index` (1 = "报表名称:") with the key `key` was clicked.
    // The heading only sets CurrentReportIndex to 0. A report is read whole
    // before anything changes: when it is gone (deleted meanwhile) or cannot
    // be read, a message says so and the query state stays as it was. True
    // when a report's query was composed.
    bool Choose(int index, const QString& key);

    // The proid of zdb1's REPORT root row, under which the reports are
    // stored; none when there is no such row.
    std::optional<qint64> rootId();

    long ReportId() const { return m_reportId; }
    const ReportLists& Lists() const { return m_lists; }
    // The window's working text as the choice leaves it.
    QString WorkingText() const { return m_workingText; }

    // The item rows and the condition rows of a report, in the dialect of
    // the suite's DatabaseKind.
    static QString itemRowsSql(long reportId);
    static QString conditionRowsSql(long reportId);

private:
    struct Definition {
        long id = 0;
        ReportLists lists;
        Mdlx::ConditionTable conditions{};
        std::int16_t conditionCount = 0;
    };

    // False when the report (or the REPORT root) does not exist.
    bool read(const QString& key, Definition& d);
    void readItems(Definition& d);
    void readConditions(Definition& d);
    void take(const QString& key, const Definition& d);
    void open(const QString& sql);

    Recordset& m_dictionary;
    long m_reportId = 0;
    ReportLists m_lists;
    QString m_workingText;
};

} // namespace quill
