#include "windows/manage/ReportRun.h"

#include "foundation/Dialect.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/ui/Ui.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ReportQuery.h"

#include <algorithm>

namespace quill {

namespace {

const QString DeptCaption = QStringLiteral("部门");

QString field(const Recordset& rs, const char* name) {
    return rs.Value(QLatin1String(name)).toString();
}

QString childRowsSql(long reportId, bool conditions) {
    const Dialect dialect = Dialect::fromKind(SuiteLib::instance().DatabaseKind);
    return QStringLiteral("select * from zdb1 where ") +
           dialect.booleanCondition(QStringLiteral("proif"), conditions) +
           QStringLiteral(" and parid=") + QString::number(reportId) +
           QStringLiteral(" order by proid");
}

} // namespace

ReportRun::ReportRun(Recordset& dictionary)
    : m_dictionary(dictionary) {}

QString ReportRun::itemRowsSql(long reportId) {
    return childRowsSql(reportId, false);
}

QString ReportRun::conditionRowsSql(long reportId) {
    return childRowsSql(reportId, true);
}

bool ReportRun::Choose(int index, const QString& key) {
    Mdlx& m = Mdlx::instance();
    const std::int16_t previous = m.CurrentReportIndex;
    m.CurrentReportIndex = std::int16_t(index - 1);
    if (index <= 1)
        return false;
    Definition d;
    try {
        if (!read(key, d)) {
            m.CurrentReportIndex = previous;
            MsgBox(QStringLiteral("报表'") + key + QStringLiteral("'已不存在,可能已被删除。"));
            return false;
        }
    } catch (const DbError& e) {
        m.CurrentReportIndex = previous;
        MsgBox(QStringLiteral("报表'") + key + QStringLiteral("'无法读取:") + e.message());
        return false;
    }
    take(key, d);
    return true;
}

void ReportRun::open(const QString& sql) {
    m_dictionary.Close();
    m_dictionary.Open(sql, *SuiteLib::instance().Connection);
}

std::optional<qint64> ReportRun::rootId() {
    open(QStringLiteral("select * from zdb1 where parid=0 and proval='REPORT'"));
    if (m_dictionary.Eof())
        return std::nullopt;
    return m_dictionary.Value(QStringLiteral("proid")).toLongLong();
}

bool ReportRun::read(const QString& key, Definition& d) {
    const std::optional<qint64> root = rootId();
    if (!root)
        return false;
    open(QStringLiteral("select * from zdb1 where parid=") + QString::number(*root) +
         QStringLiteral(" and proname=") + Dialect::textLiteral(key) +
         QStringLiteral(" and proval=") + Dialect::textLiteral(SuiteLib::instance().TableName) +
         QStringLiteral(" order by proid"));
    if (m_dictionary.Eof())
        return false;
    d.id = m_dictionary.Value(QStringLiteral("proid")).toLongLong();
    readItems(d);
    readConditions(d);
    return true;
}

void ReportRun::readItems(Definition& d) {
    open(itemRowsSql(d.id));
    for (int r = 0; r < ReportLists::MaxRows && !m_dictionary.Eof(); ++r) {
        d.lists.Display.addRow(field(m_dictionary, "proname"));
        d.lists.Sort.addRow(field(m_dictionary, "proval"));
        d.lists.Sum.addRow(field(m_dictionary, "proval1"));
        d.lists.Group.addRow(field(m_dictionary, "proval2"));
        m_dictionary.MoveNext();
    }
}

// Stored organisation conditions hold the unit's name; the query needs its
// code. A team is named within the department of the row before it, a group
// within the team of the row before it and that team's department.
void ReportRun::readConditions(Definition& d) {
    SuiteLib& lib = SuiteLib::instance();
    open(conditionRowsSql(d.id));
    int n = 0;
    for (; n < MaxConditions && !m_dictionary.Eof(); ++n, m_dictionary.MoveNext()) {
        Mdlx::ConditionRow& row = d.conditions[std::size_t(n)];
        const QString item = lib.ColumnLookup(field(m_dictionary, "proval"));
        const QString stored = field(m_dictionary, "proval2");
        const QString back1 = n >= 1 ? d.conditions[std::size_t(n - 1)][Mdlx::Value] : QString();
        const QString back2 = n >= 2 ? d.conditions[std::size_t(n - 2)][Mdlx::Value] : QString();
        row[Mdlx::Connective] = field(m_dictionary, "proname");
        row[Mdlx::Item] = item;
        row[Mdlx::Operator] = field(m_dictionary, "proval1");
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
            row[Mdlx::Value] = stored;
        }
    }
    d.conditionCount = std::int16_t(n);
}

void ReportRun::take(const QString& key, const Definition& d) {
    SuiteLib& lib = SuiteLib::instance();
    Mdlx& m = Mdlx::instance();
    m_workingText = m.RangeCaptionFor(key);
    m_reportId = d.id;
    m_lists = d.lists;
    m.ActiveConditions = d.conditions;
    m.ActiveCount = d.conditionCount;
    m.BuildSelection();
    m_workingText = lib.QueryText(QStringLiteral("查询"));
    ReportQuery::Compose(m_lists);
    const QStringList sums = m_lists.Sum.entries();
    m.SumCount = std::min<std::int32_t>(std::int32_t(sums.size()), Mdlx::MaxSumFields);
    for (int i = 0; i < Mdlx::MaxSumFields; ++i)
        m.SumFields[std::size_t(i)] = i < m.SumCount ? sums.at(i) : QString();
    lib.joinQuery();
}

} // namespace quill
