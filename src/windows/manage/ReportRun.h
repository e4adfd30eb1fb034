#pragma once

#include "foundation/ReportLists.h"

#include <QString>

namespace quill {

class ReportStore;
struct ReportDefinition;

// The report choice of the main window: a click on an entry of the report
// list turns the saved report into the suite's query parts, QuerySql, the
// active conditions and the sum items. The window then refreshes its
// commands and renders the sheet.
class ReportRun {
public:
    // Reads the saved reports from `store`.
    explicit ReportRun(ReportStore& store);

    // The entry at `index` (1 = "报表名称:") with the key `key` was clicked.
    // The heading only sets CurrentReportIndex to 0. A report is read whole
    // before anything changes: when it is gone (deleted meanwhile) or cannot
    // be read, a message says so and the query state stays as it was. True
    // when a report's query was composed.
    bool Choose(int index, const QString& key);

    long ReportId() const { return m_reportId; }
    const ReportLists& Lists() const { return m_lists; }
    // The window's working text as the choice leaves it.
    QString WorkingText() const { return m_workingText; }

private:
    // Stored organisation conditions hold the unit's name; the query needs
    // its code.
    static void toCodes(ReportDefinition& d);
    void take(const QString& key, const ReportDefinition& d);

    ReportStore& m_store;
    long m_reportId = 0;
    ReportLists m_lists;
    QString m_workingText;
};

} // namespace quill
