// Built clauses run for real: every range kind with one, two and three
// conditions selects exactly the rows of a query written here by hand.

#include "MdlxWorkspace.h"
#include "TestDatabase.h"

#include "demo/DemoGenerator.h"
#include "foundation/Mdlx.h"
#include "platform/db/DbError.h"
#include "suite/SuiteLib.h"

#include <gtest/gtest.h>

#include <vector>

namespace quill::test {
namespace {

struct Range {
    QString kind;
    QString from;
    QString to;
    QString sql; // the same range in hand-written SQL
};

struct Conditions {
    std::vector<Mdlx::ConditionRow> rows;
    QString sql; // the same conditions in hand-written SQL
};

// Builds the clause of every range with every condition set, without and with
// an extra filter, and compares the rows it selects with the hand-written
// query's. Returns the number of rows selected in all.
std::size_t runAll(MdlxWorkspace& workspace, const std::vector<Range>& ranges,
                   const std::vector<Conditions>& sets, const QString& filterSql) {
    Mdlx& m = Mdlx::instance();
    SuiteLib& lib = SuiteLib::instance();
    std::size_t selected = 0;
    for (const QString& filter : {QString(), filterSql}) {
        lib.ExtraFilter = filter;
        for (const Range& range : ranges) {
            lib.RangeKind = range.kind;
            m.DateFrom = m.PeriodFrom = range.from;
            m.DateTo = m.PeriodTo = range.to;
            for (const Conditions& set : sets) {
                m.ActiveCount = static_cast<std::int16_t>(set.rows.size());
                for (std::size_t i = 0; i < set.rows.size(); ++i)
                    m.ActiveConditions[i] = set.rows[i];
                m.BuildSelection();
                QStringList parts{set.sql};
                if (!range.sql.isEmpty())
                    parts.prepend(range.sql);
                if (!filter.isEmpty())
                    parts << filter;
                const std::vector<std::string> want = workspace.selectBound(parts.join(" and "));
                EXPECT_EQ(workspace.selectWhere(lib.SqlWhere), want)
                    << "DatabaseKind " << lib.DatabaseKind.toStdString() << ": "
                    << lib.SqlWhere.toStdString();
                selected += want.size();
            }
        }
    }
    return selected;
}

void runQueryTable(const ConnectionConfig& config, const QString& databaseKind) {
    MdlxWorkspace workspace(config, databaseKind);
    const std::vector<Range> ranges{
        {"date1", "2024-01-05", "", "zhdate = '2024-01-05'"},
        {"date2", "2024-01-01", "2024-01-31", "zhdate >= '2024-01-01' and zhdate <= '2024-01-31'"},
        {"time1", "2024年01月", "", "zhtime = '2024年01月'"},
        {"time2", "2024年01月", "2024年02月", "zhtime >= '2024年01月' and zhtime <= '2024年02月'"},
        {"", "", "", ""},
    };
    const std::vector<Conditions> sets{
        {{{"", "金额", ">", "1000"}}, "AMOUNT > 1000"},
        {{{"", "备注", "=", " 空格 "}}, "NOTE = ' 空格 '"},
        {{{"", "姓名", "LIKE", "王%"}}, "name LIKE '王%'"},
        {{{"", "部门", "=", "101"}, {"或者", "备注", "=", " null"}},
         "(DEPART = '101' or NOTE is null)"},
        {{{"", "上班时间", "<=", "08:00:00"}, {"并且", "备注", "<>", "O'Brien"}},
         "(ONTIME <= '08:00:00' and NOTE <> 'O''Brien')"},
        {{{"", "部门", "=", "102"},
          {"并且", "天数", ">=", "21"},
          {"或者", "出生日期", "<", "1980-01-01"}},
         "(DEPART = '102' and DAYS >= 21 or BIRTH < '1980-01-01')"},
        {{{"", "天数", ">", "0"}, {"并且", "部门", "=", "101"}, {"并且", "金额", "=", "NULL"}},
         "(DAYS > 0 and DEPART = '101' and AMOUNT is null)"},
        {{{"", "部门", "=", "101"}, {"并且", "班别", "=", "202"}, {"并且", "组别", "=", "303"}},
         "(DEPART = '101' and GROUP0 = '202' and TEAM = '303')"},
    };
    EXPECT_GT(runAll(workspace, ranges, sets, "DAYS > 20"), 100u);
}

// Every date form the value rules accept selects what the ISO date selects,
// as a condition and as range bounds, on each engine and in both dialects.
void runDateForms(const ConnectionConfig& config, const QString& databaseKind) {
    MdlxWorkspace workspace(config, databaseKind);
    std::vector<Range> ranges{{"", "", "", ""}};
    std::vector<Conditions> sets;
    for (const char* form :
         {"2024-01-05", "24-1-5", "2024.1.5", "2024-01-05 00:00", "2024年1月5日", "1/5/2024"}) {
        ranges.push_back({"date1", form, "", "zhdate = '2024-01-05'"});
        ranges.push_back({"date2", form, "2024年1月20日 23:59",
                          "zhdate >= '2024-01-05' and zhdate <= '2024-01-20'"});
        sets.push_back({{{"", "日期", "=", form}}, "zhdate = '2024-01-05'"});
        sets.push_back({{{"", "小写日期", ">=", "85-7-12"}, {"并且", "日期", "<=", form}},
                        "(BIRTH >= '1985-07-12' and zhdate <= '2024-01-05')"});
    }
    for (const char* form : {"8:00", "08:00:00", "2024-01-05 08:00", "8:00:00"})
        sets.push_back({{{"", "上班时间", "=", form}}, "ONTIME = '08:00:00'"});
    EXPECT_GT(runAll(workspace, ranges, sets, "DAYS > 20"), 100u);
}

// A value of a yes/no item that is no number and no yes/no word stays inside
// its literal: the second statement never runs and the table is still there.
void runHostileYesNoValues(const ConnectionConfig& config, const QString& databaseKind) {
    MdlxWorkspace workspace(config, databaseKind);
    const std::vector<Range> ranges{{"", "", "", ""}};
    const std::vector<Conditions> sets{
        {{{"", "标志", "=", "1"}}, "FLAG = 1"},
        {{{"", "标志", "=", "是"}}, "FLAG = 1"},
        {{{"", "小写标志", "<>", "FALSE"}}, "FLAG <> 0"},
        {{{"", "代码", "=", "1; drop table zdb3"}}, "CODE = '1; drop table zdb3'"},
        {{{"", "备忘", "=", "1; drop table zdb3"}}, "MEMO = '1; drop table zdb3'"},
    };
    EXPECT_EQ(runAll(workspace, ranges, sets, "DAYS > 0"), 34u);
    Mdlx& m = Mdlx::instance();
    m.ActiveConditions[0] = {"", "标志", "=", "1; drop table zdb3"};
    m.ActiveCount = 1;
    m.BuildSelection();
    if (config.engine == ConnectionConfig::Engine::Postgres) {
        // PostgreSQL refuses a text that is no boolean.
        EXPECT_THROW(workspace.selectWhere(SuiteLib::instance().SqlWhere), DbError);
    } else {
        EXPECT_TRUE(workspace.selectWhere(SuiteLib::instance().SqlWhere).empty());
    }
    EXPECT_EQ(workspace.scalar("select count(*) from zdb3"), "9");
}

class MdlxRun : public EngineTest {};

TEST_P(MdlxRun, EveryAcceptedDateFormSelectsItsDate) {
    inEachDialect(db(), GetParam(), runDateForms);
}

TEST_P(MdlxRun, HostileValuesOfOtherCodesStayInsideTheirLiteral) {
    inEachDialect(db(), GetParam(), runHostileYesNoValues);
}

TEST_P(MdlxRun, EveryRangeKindWithOneTwoAndThreeConditions) {
    inEachDialect(db(), GetParam(), runQueryTable);
}

TEST_P(MdlxRun, OnTheDemoData) {
    MdlxWorkspace workspace(db().config(), db().config().databaseKind, MdlxWorkspace::Data::Demo);
    const DemoGenerator demo{DemoOptions()};
    const QString d1 = workspace.scalar("select min(proid) from zdb3 where proval=3");
    const QString d2 = workspace.scalar("select max(proid) from zdb3 where proval=3");
    const QString t1 = workspace.scalar("select min(proid) from zdb3 where parid=" + d1);
    const auto quoted = [](const QString& text) { return "'" + text + "'"; };

    // Attendance by day.
    const QList<QDate> days = demo.attendanceDays();
    const QString day1 = days.at(2).toString(Qt::ISODate);
    const QString day2 = days.at(6).toString(Qt::ISODate);
    workspace.selectTable("KQB", "memberid");
    const std::vector<Range> dayRanges{
        {"date1", day1, "", "zhdate = " + quoted(day1)},
        {"date2", day1, day2, "zhdate >= " + quoted(day1) + " and zhdate <= " + quoted(day2)},
        {"", "", "", ""},
    };
    const std::vector<Conditions> daySets{
        {{{"", "上班时间", ">", "08:00:00"}}, "sbsj > '08:00:00'"},
        {{{"", "部门", "=", d1}, {"或者", "加班工时", ">=", "1"}},
         "(DEPART = " + quoted(d1) + " or jbgs >= 1)"},
        {{{"", "部门", "=", d2}, {"并且", "工时", "=", "8"}, {"或者", "下班时间", "=", "null"}},
         "(DEPART = " + quoted(d2) + " and gs = 8 or xbsj is null)"},
    };
    EXPECT_GT(runAll(workspace, dayRanges, daySets, "gs > 0"), 100u);

    // Pay by period.
    const QStringList periods = demo.periods();
    workspace.selectTable("GZB", "memberid");
    const std::vector<Range> periodRanges{
        {"time1", periods.at(1), "", "zhtime = " + quoted(periods.at(1))},
        {"time2", periods.at(0), periods.at(1),
         "zhtime >= " + quoted(periods.at(0)) + " and zhtime <= " + quoted(periods.at(1))},
        {"", "", "", ""},
    };
    const std::vector<Conditions> periodSets{
        {{{"", "实发工资", ">", "5000"}}, "sfgz > 5000"},
        {{{"", "部门", "=", d2}, {"并且", "出勤天数", "<", "20"}},
         "(DEPART = " + quoted(d2) + " and cqts < 20)"},
        {{{"", "部门", "=", d1}, {"并且", "班别", "=", t1}, {"或者", "绩效奖金", ">=", "150"}},
         "(DEPART = " + quoted(d1) + " and GROUP0 = " + quoted(t1) + " or jxjj >= 150)"},
    };
    EXPECT_GT(runAll(workspace, periodRanges, periodSets, "cqts > 10"), 100u);
}

QUILL_INSTANTIATE_ENGINES(MdlxRun);

} // namespace
} // namespace quill::test
