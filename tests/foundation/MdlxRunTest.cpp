// Built clauses run for real: every range kind with one, two and three
// conditions selects exactly the rows of a query written here by hand.

#include "MdlxWorkspace.h"
#include "TestDatabase.h"

#include "foundation/Mdlx.h"
#include "suite/SuiteLib.h"

#include <gtest/gtest.h>

#include <vector>

namespace quill::test {
namespace {

struct Range {
    const char* kind;
    const char* from;
    const char* to;
    const char* sql; // the same range in hand-written SQL
};

const Range Ranges[] = {
    {"date1", "2024-01-05", "", "zhdate = '2024-01-05'"},
    {"date2", "2024-01-01", "2024-01-31", "zhdate >= '2024-01-01' and zhdate <= '2024-01-31'"},
    {"time1", "2024年01月", "", "zhtime = '2024年01月'"},
    {"time2", "2024年01月", "2024年02月", "zhtime >= '2024年01月' and zhtime <= '2024年02月'"},
    {"", "", "", ""},
};

struct Conditions {
    std::vector<Mdlx::ConditionRow> rows;
    const char* sql;
};

const Conditions Sets[] = {
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

class MdlxRun : public EngineTest {
protected:
    // Every range with every condition set, without and with an extra filter,
    // on a workspace of the given DatabaseKind.
    void runAll(const ConnectionConfig& config, const QString& databaseKind) {
        MdlxWorkspace workspace(config, databaseKind);
        Mdlx& m = Mdlx::instance();
        SuiteLib& lib = SuiteLib::instance();
        int selected = 0;
        for (const char* filter : {"", "DAYS > 20"}) {
            lib.ExtraFilter = QString::fromUtf8(filter);
            for (const Range& range : Ranges) {
                lib.RangeKind = QString::fromUtf8(range.kind);
                m.DateFrom = m.PeriodFrom = QString::fromUtf8(range.from);
                m.DateTo = m.PeriodTo = QString::fromUtf8(range.to);
                for (const Conditions& set : Sets) {
                    m.ActiveCount = static_cast<std::int16_t>(set.rows.size());
                    for (std::size_t i = 0; i < set.rows.size(); ++i)
                        m.ActiveConditions[i] = set.rows[i];
                    m.BuildSelection();
                    QStringList parts;
                    for (const char* part : {range.sql, set.sql, filter})
                        if (*part)
                            parts << QString::fromUtf8(part);
                    const QString expected =
                        "select memberid from CXB where " + parts.join(" and ");
                    const QSet<QString> want = workspace.selectBound(expected);
                    EXPECT_EQ(workspace.selectWhere(lib.SqlWhere), want)
                        << "kind " << databaseKind.toStdString() << ": "
                        << lib.SqlWhere.toStdString();
                    selected += want.size();
                }
            }
        }
        EXPECT_GT(selected, 100); // the cases select rows, not only empty sets
    }
};

TEST_P(MdlxRun, EveryRangeKindWithOneTwoAndThreeConditions) {
    runAll(db().config(), db().config().databaseKind);
    if (GetParam() == Engine::Sqlite) { // SQLite runs the quote dialect as well
        TestDatabase other(Engine::Sqlite);
        runAll(other.config(), "2");
    }
}

QUILL_INSTANTIATE_ENGINES(MdlxRun);

} // namespace
} // namespace quill::test
