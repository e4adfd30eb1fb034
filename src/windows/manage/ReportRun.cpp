#include "windows/manage/ReportRun.h"

#include "foundation/Mdlx.h"
#include "foundation/QueryComposer.h"
#include "foundation/ReportStore.h"
#include "platform/db/DbError.h"
#include "platform/ui/Ui.h"
#include "suite/SuiteLib.h"

#include <optional>

namespace quill {

namespace {

const QString DeptCaption = QStringLiteral("部门");

// The suite's texts a choice rewrites.
std::array<QString*, 10> suiteTexts() {
    SuiteLib& lib = SuiteLib::instance();
    return {&lib.SqlSelect,      &lib.SqlFrom,       &lib.SqlWhere,     &lib.SqlGroup,
            &lib.SqlOrder,       &lib.QuerySql,      &lib.QueryCaption, &lib.FilterCaption1,
            &lib.FilterCaption2, &lib.FilterCaption3};
}

} // namespace

ReportRun::Attempt::Attempt(ReportRun& run)
    : m_run(run) {
    const Mdlx& m = Mdlx::instance();
    const std::array<QString*, 10> texts = suiteTexts();
    for (std::size_t i = 0; i < texts.size(); ++i)
        m_suite[i] = *texts[i];
    m_captionPrefix = m.CaptionPrefix;
    m_rangeCaption = m.RangeCaption;
    m_reportIndex = m.CurrentReportIndex;
    m_conditions = m.ActiveConditions;
    m_conditionCount = m.ActiveCount;
    m_sumFields = m.SumFields;
    m_sumCount = m.SumCount;
    m_reportId = run.m_reportId;
    m_lists = run.m_lists;
    m_workingText = run.m_workingText;
}

ReportRun::Attempt::~Attempt() {
    if (m_kept)
        return;
    Mdlx& m = Mdlx::instance();
    const std::array<QString*, 10> texts = suiteTexts();
    for (std::size_t i = 0; i < texts.size(); ++i)
        *texts[i] = m_suite[i];
    m.CaptionPrefix = m_captionPrefix;
    m.RangeCaption = m_rangeCaption;
    m.CurrentReportIndex = m_reportIndex;
    m.ActiveConditions = m_conditions;
    m.ActiveCount = m_conditionCount;
    m.SumFields = m_sumFields;
    m.SumCount = m_sumCount;
    m_run.m_reportId = m_reportId;
    m_run.m_lists = m_lists;
    m_run.m_workingText = m_workingText;
}

ReportRun::ReportRun(ReportStore& store)
    : m_store(store) {}

bool ReportRun::Choose(int index, const QString& key) {
    Mdlx& m = Mdlx::instance();
    if (index <= 1) {
        m.CurrentReportIndex = std::int16_t(index - 1);
        return false;
    }
    Attempt attempt(*this);
    m.CurrentReportIndex = std::int16_t(index - 1);
    std::optional<ReportDefinition> d;
    try {
        d = m_store.read(key);
        if (d)
            toCodes(*d);
    } catch (const DbError& e) {
        MsgBox(QStringLiteral("报表'") + key + QStringLiteral("'无法读取:") + e.message());
        return false;
    }
    if (!d) {
        MsgBox(QStringLiteral("报表'") + key + QStringLiteral("'已不存在,可能已被删除。"));
        return false;
    }
    take(key, *d);
    attempt.keep();
    return true;
}

// A team is named within the department of the row before it, a group within
// the team of the row before it and that team's department.
void ReportRun::toCodes(ReportDefinition& d) {
    SuiteLib& lib = SuiteLib::instance();
    for (int n = 0; n < d.conditionCount; ++n) {
        Mdlx::ConditionRow& row = d.conditions[std::size_t(n)];
        const QString item = lib.ColumnLookup(row[Mdlx::Item]);
        const QString stored = row[Mdlx::Value];
        const QString back1 = n >= 1 ? d.conditions[std::size_t(n - 1)][Mdlx::Value] : QString();
        const QString back2 = n >= 2 ? d.conditions[std::size_t(n - 2)][Mdlx::Value] : QString();
        row[Mdlx::Item] = item;
        switch (lib.OrgLevel(item)) {
        case 3:
            row[Mdlx::Value] = lib.DeptCode(item, stored);
            break;
        case 2:
            row[Mdlx::Value] = lib.TeamCode(lib.DeptName(DeptCaption, back1), stored);
            break;
        case 1: {
            const QString dept = lib.DeptName(DeptCaption, back2);
            row[Mdlx::Value] = lib.GroupCode(dept, lib.TeamName(dept, back1), stored);
            break;
        }
        default:
            break;
        }
    }
}
void ReportRun::take(const QString& key, const ReportDefinition& d) {
    SuiteLib& lib = SuiteLib::instance();
    Mdlx& m = Mdlx::instance();
    m_workingText = m.RangeCaptionFor(key);
    m_reportId = d.id;
    m_lists = d.lists;
    m.ActiveConditions = d.conditions;
    m.ActiveCount = d.conditionCount;
    m.BuildSelection();
    m_workingText = lib.QueryText(QStringLiteral("查询"));
    QueryComposer::compose(m_lists.Display.entries(), m_lists.Sort.entries(),
                           m_lists.Group.entries());
    QueryComposer::takeSums(m_lists.Sum.entries());
}

} // namespace quill
