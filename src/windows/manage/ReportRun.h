#pragma once

#include "foundation/Mdlx.h"
#include "foundation/ReportLists.h"

#include <QString>

#include <array>
#include <cstdint>

namespace quill {

class ReportStore;
struct ReportDefinition;

// The report choice of the main window: a click on an entry of the report
// list turns the saved report into the suite's query parts, QuerySql, the
// active conditions and the sum items. The window then refreshes its
// commands and renders the sheet.
class ReportRun {
public:
    // A choice on trial: what Choose changes (the query parts and QuerySql,
    // the captions, CurrentReportIndex, the active conditions, the sum items
    // and this run's report) goes back when the attempt ends unkept, so that
    // a report whose run cannot be prepared leaves the query as it was.
    class Attempt {
    public:
        explicit Attempt(ReportRun& run);
        ~Attempt();
        Attempt(const Attempt&) = delete;
        Attempt& operator=(const Attempt&) = delete;
        void keep() { m_kept = true; }

    private:
        ReportRun& m_run;
        bool m_kept = false;
        std::array<QString, 10> m_suite;
        QString m_captionPrefix;
        QString m_rangeCaption;
        std::int16_t m_reportIndex;
        Mdlx::ConditionTable m_conditions;
        std::int16_t m_conditionCount;
        std::array<QString, Mdlx::MaxSumFields> m_sumFields;
        std::int32_t m_sumCount;
        long m_reportId;
        ReportLists m_lists;
        QString m_workingText;
    };

    // Reads the saved reports from `store`.
    explicit ReportRun(ReportStore& store);

    // The entry at `index` (1 = "报表名称:") with the key `key` was clicked.
    // The heading only sets CurrentReportIndex to 0. A report is read whole
    // before anything changes: when it is gone (deleted meanwhile) or cannot
    // be read, a message says so and the query state stays as it was; an
    // error while composing leaves it as it was too and is raised. True when
    // a report's query was composed.
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
