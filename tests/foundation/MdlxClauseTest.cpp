// The exact texts of the selection clause, the range captions, the condition
// commit and the cell references, in both literal dialects.

#include "MdlxWorkspace.h"
#include "TestDatabase.h"

#include "foundation/Mdlx.h"
#include "suite/SuiteLib.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace quill::test {
namespace {

// Columns 1 to 99 by name; any other number gives column 90.
TEST(MdlxCellRef, ColumnAndRowReferences) {
    const std::pair<int, const char*> columns[] = {
        {1, "$A"},    {26, "$Z"},   {27, "$AA"},         {52, "$AZ"},
        {53, "$BA"},  {78, "$BZ"},  {79, "$CA"},         {90, "$CL"},
        {99, "$CU"},  {0, "$CL"},   {-1, "$CL"},         {-26, "$CL"},
        {100, "$CL"}, {702, "$CL"}, {2147483647, "$CL"}, {-2147483647 - 1, "$CL"}};
    for (const auto& [n, ref] : columns)
        EXPECT_EQ(Mdlx::ColumnRef(n), ref) << n;
    for (const int n : {7, 12, -3, 0, 16380})
        EXPECT_EQ(Mdlx::RowRef(n), "$" + QString::number(n)) << n;
    EXPECT_EQ("$A$1:" + Mdlx::ColumnRef(99) + Mdlx::RowRef(16380), "$A$1:$CU$16380");
}

// Parameter: the DatabaseKind text ("1" hash dialect, "2" quote dialect).
class MdlxClause : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        m_db = std::make_unique<TestDatabase>(Engine::Sqlite);
        m_workspace = std::make_unique<MdlxWorkspace>(m_db->config(), GetParam());
    }
    void TearDown() override {
        m_workspace.reset();
        m_db.reset();
    }

    bool quote() const { return QString::fromLatin1(GetParam()) == "2"; }
    // A date literal of the dialect under test, for values without quotes or '#'.
    QString date(const QString& value) const {
        return quote() ? "'" + value + "'" : "#" + value + "#";
    }

    static Mdlx& m() { return Mdlx::instance(); }
    static SuiteLib& lib() { return SuiteLib::instance(); }

    static void active(std::initializer_list<Mdlx::ConditionRow> rows) {
        int i = 0;
        for (const Mdlx::ConditionRow& row : rows)
            m().ActiveConditions[i++] = row;
        m().ActiveCount = static_cast<std::int16_t>(i);
    }
    static void range(const char* kind, const QString& from = {}, const QString& to = {}) {
        lib().RangeKind = QString::fromUtf8(kind);
        if (QString::fromUtf8(kind).startsWith("date")) {
            m().DateFrom = from;
            m().DateTo = to;
        } else {
            m().PeriodFrom = from;
            m().PeriodTo = to;
        }
    }
    static QString where() {
        m().BuildSelection();
        return lib().SqlWhere;
    }

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<MdlxWorkspace> m_workspace;
};

TEST_P(MdlxClause, RangeTexts) {
    range("date1", "2024-01-05");
    EXPECT_EQ(where(), "where zhdate=" + date("2024-01-05") + " ");
    range("date2", "2024-01-01", "2024-01-31");
    EXPECT_EQ(where(),
              "where zhdate>=" + date("2024-01-01") + " and zhdate<=" + date("2024-01-31"));
    range("time1", "2024年01月");
    EXPECT_EQ(where(), "where zhtime='2024年01月'");
    range("time2", "2024年01月", "2024年02月");
    EXPECT_EQ(where(), "where zhtime>='2024年01月' and zhtime<='2024年02月'");
    for (const char* other : {"", "DATE1", "time3", " time1"}) {
        range(other, "2024年01月", "2024年02月");
        EXPECT_EQ(where(), "") << other;
    }
}

TEST_P(MdlxClause, ExtraFilterWithAndWithoutRange) {
    lib().ExtraFilter = "DAYS > 10";
    range("");
    EXPECT_EQ(where(), " where DAYS > 10");
    range("time1", "2024年01月");
    EXPECT_EQ(where(), "where zhtime='2024年01月' and DAYS > 10");
    range("date1", "2024-01-05");
    EXPECT_EQ(where(), "where zhdate=" + date("2024-01-05") + "  and DAYS > 10");
    active({{"", "天数", ">", "20"}});
    EXPECT_EQ(where(), "where zhdate=" + date("2024-01-05") + "  and DAYS > 20 and DAYS > 10");
}

TEST_P(MdlxClause, OneConditionOnTheDepartment) {
    active({{"", "部门", "=", "101"}});
    EXPECT_EQ(where(), "where DEPART = '101'");
    EXPECT_EQ(lib().FilterCaption1, "生产部");
    EXPECT_EQ(lib().FilterCaption2, "");
    EXPECT_EQ(lib().FilterCaption3, "");
    range("time2", "2024年01月", "2024年02月");
    EXPECT_EQ(where(), "where zhtime>='2024年01月' and zhtime<='2024年02月' and DEPART = '101'");
}

TEST_P(MdlxClause, OneConditionOnADecimalItem) {
    active({{"", "金额", ">", "1000"}});
    EXPECT_EQ(where(), "where AMOUNT > 1000");
    EXPECT_EQ(lib().FilterCaption1, "金额:1000");
    active({{"", " 金额 ", " >= ", " 12.50abc"}});
    EXPECT_EQ(where(), "where AMOUNT >= 12.5");
    EXPECT_EQ(lib().FilterCaption1, " 金额 : 12.50abc");
}

TEST_P(MdlxClause, NumbersAreWrittenInPlainDecimal) {
    const std::pair<const char*, const char*> cases[] = {
        {"abc", "0"},
        {"", "0"},
        {" ", "0"},
        {"-3", "-3"},
        {"+7", "7"},
        {"1e3", "1000"},
        {"0.0000001", "0.0000001"},
        {"1.5E+20", "150000000000000000000"},
        {"-0", "0"},
        {"2147483648", "2147483648"},
        {"12,5", "12"},
        {"3 4", "3"},
    };
    for (const auto& [value, text] : cases) {
        active({{"", "天数", "=", value}});
        EXPECT_EQ(where(), QString("where DAYS = ") + text) << value;
    }
}

TEST_P(MdlxClause, NullTestsIgnoreTheOperator) {
    active({{"", "备注", "<>", " null "}});
    EXPECT_EQ(where(), quote() ? "where NOTE is null" : "where isnull(NOTE)");
    EXPECT_EQ(lib().FilterCaption1, "备注: null ");
    range("time1", "2024年01月");
    active({{"", "金额", "=", "NuLl"}});
    EXPECT_EQ(where(), quote() ? "where zhtime='2024年01月' and AMOUNT is null"
                               : "where zhtime='2024年01月' and isnull(AMOUNT)");
    active({{"", "备注", "LIKE", "nul l"}});
    EXPECT_EQ(where(), "where zhtime='2024年01月' and NOTE LIKE 'nul l'");
}

TEST_P(MdlxClause, TwoConditionsFormOneGroup) {
    active({{"或者", "部门", "=", "101"}, {"并且", "天数", ">=", "20"}});
    EXPECT_EQ(where(), "where (DEPART = '101' and DAYS >= 20)");
    EXPECT_EQ(lib().FilterCaption1, "生产部");
    active({{"", "姓名", "=", "张三"}, {"或者", "备注", "=", "  NULL"}});
    EXPECT_EQ(where(), quote() ? "where (name = '张三' or NOTE is null)"
                               : "where (name = '张三' or isnull(NOTE))");
    EXPECT_EQ(lib().FilterCaption1, "");
    active({{"", "备注", "<", "null"}, {"或者", "姓名", "=", "张三"}});
    EXPECT_EQ(where(), quote() ? "where (NOTE is null or name = '张三')"
                               : "where (isnull(NOTE) or name = '张三')");
}

TEST_P(MdlxClause, ThreeConditionsWithOrganisationCaptions) {
    range("date2", "2024-01-01", "2024-01-31");
    active({{"", "部门", "=", "101"}, {"并且", "班别", "=", "201"}, {"或者", "组别", "=", "303"}});
    EXPECT_EQ(where(), "where zhdate>=" + date("2024-01-01") +
                           " and zhdate<=" + date("2024-01-31") +
                           " and (DEPART = '101' and GROUP0 = '201' or TEAM = '303')");
    EXPECT_EQ(lib().FilterCaption1, "生产部");
    EXPECT_EQ(lib().FilterCaption2, "一班");
    active({{"", "部门", "=", "102"}, {"并且", "班别", "=", "203"}, {"并且", "组别", "=", "304"}});
    where();
    EXPECT_EQ(lib().FilterCaption1, "销售部");
    EXPECT_EQ(lib().FilterCaption2, "三班");
    EXPECT_EQ(lib().FilterCaption3, "丁组");
    // In the first row only the department names a caption.
    active({{"", "班别", "=", "201"}, {"并且", "部门", "=", "101"}});
    where();
    EXPECT_EQ(lib().FilterCaption1, "生产部");
    EXPECT_EQ(lib().FilterCaption2, "");
    active({{"", "天数", ">", "1"}, {"并且", "备注", "=", "null"}, {"或者", "金额", "=", "nULL "}});
    range("");
    EXPECT_EQ(where(), quote() ? "where (DAYS > 1 and NOTE is null or AMOUNT is null)"
                               : "where (DAYS > 1 and isnull(NOTE) or isnull(AMOUNT))");
    EXPECT_EQ(lib().FilterCaption1, "");
}

TEST_P(MdlxClause, TextValuesKeepTheirBlanksAndOtherTypesAreTrimmed) {
    active({{"", "备注", "=", " a b "}});
    EXPECT_EQ(where(), "where NOTE = ' a b '");
    active({{"", "标志", "=", " 1 "}});
    EXPECT_EQ(where(), "where FLAG = 1");
    active({{"", "标志", "=", " x y "}});
    EXPECT_EQ(where(), "where FLAG = 'x y'");
    active({{"", "无此项", "=", " v "}});
    EXPECT_EQ(where(), "where  = 'v'");
}

// Items of the codes without a literal rule of their own (B, M, O, a code no
// rule knows, no code): a number stays bare, a yes/no word is the dialect's
// boolean, anything else a text literal, never bare SQL.
TEST_P(MdlxClause, OtherCodesTakeNumbersBooleansOrTextLiterals) {
    const QString yes = quote() ? "1" : "true";
    const QString no = quote() ? "0" : "false";
    const struct {
        const char* item;
        const char* value;
        QString want;
    } cases[] = {
        {"标志", "1; drop table zdb3", "FLAG = '1; drop table zdb3'"},
        {"标志", "1 or 1=1", "FLAG = '1 or 1=1'"},
        {"标志", "-1", "FLAG = -1"},
        {"标志", " True ", "FLAG = " + yes},
        {"标志", "FALSE", "FLAG = " + no},
        {"标志", "是", "FLAG = " + yes},
        {"标志", "否", "FLAG = " + no},
        {"小写标志", "否", "FLAG = " + no},
        {"备忘", "x' or '1'='1", "MEMO = 'x'' or ''1''=''1'"},
        {"照片", "abc", "PIC = 'abc'"},
        {"代码", "2.5", "CODE = 2.5"},
        {"代码", "1; select 1", "CODE = '1; select 1'"},
        {"无类型", "--", "CODE = '--'"},
    };
    for (const auto& c : cases) {
        active({{"", c.item, "=", c.value}});
        EXPECT_EQ(where(), "where " + c.want) << c.item << " " << c.value;
    }
}

TEST_P(MdlxClause, LowerCaseCodesReadAsTheirUpperCaseCodes) {
    active({{"", "小写备注", "=", " 1 "},
            {"并且", "小写日期", ">=", "85-1-1"},
            {"并且", "小写时间", "<", "8:30"},
            {"并且", "小写金额", ">", "12.50abc"},
            {"并且", "小写天数", "<>", "abc"}});
    EXPECT_EQ(where(), "where (NOTE = ' 1 ' and BIRTH >= " + date("1985-01-01") + " and ONTIME < " +
                           date("08:30:00") + " and AMOUNT > 12.5 and DAYS <> 0)");
}

// Every form the date parser accepts goes in as the ISO date, in conditions
// and range bounds alike; a value already in ISO form keeps its text.
TEST_P(MdlxClause, AcceptedDatesAndTimesGoInInIsoForm) {
    for (const char* value :
         {"2024-01-05", "24-1-5", "2024.1.5", "2024-01-05 00:00", "2024年1月5日", "1/5/2024"}) {
        active({{"", "出生日期", "=", value}});
        EXPECT_EQ(where(), "where BIRTH = " + date("2024-01-05")) << value;
        active({});
        range("date2", value, value);
        EXPECT_EQ(where(),
                  "where zhdate>=" + date("2024-01-05") + " and zhdate<=" + date("2024-01-05"))
            << value;
        range("");
    }
    for (const char* value : {"08:30:00", "8:30", "08:30", "2024-01-05 08:30:00"}) {
        active({{"", "上班时间", "=", value}});
        EXPECT_EQ(where(), "where ONTIME = " + date("08:30:00")) << value;
    }
    active({{"", "上班时间", "=", "08:30:00.123456"}});
    EXPECT_EQ(where(), "where ONTIME = " + date("08:30:00.123456"));
}

TEST_P(MdlxClause, QuotesInsideTextLiteralsAreDoubled) {
    active({{"", "备注", "=", "O'Brien"}});
    EXPECT_EQ(where(), "where NOTE = 'O''Brien'");
    active({{"", "备注", "LIKE", "x' or '1'='1"}});
    EXPECT_EQ(where(), "where NOTE LIKE 'x'' or ''1''=''1'");
    range("time2", "2024'01", "'");
    active({});
    EXPECT_EQ(where(), "where zhtime>='2024''01' and zhtime<=''''");
}

// A value that is no date goes in as a text literal in both dialects.
TEST_P(MdlxClause, DateLiteralsCannotBeEndedByTheValue) {
    range("date1", "2024-01-05' or '1'='1");
    EXPECT_EQ(where(), "where zhdate='2024-01-05'' or ''1''=''1' ");
    range("date2", "2024-01-05# or 1=1 or #2024-01-05", "#");
    EXPECT_EQ(where(), "where zhdate>='2024-01-05# or 1=1 or #2024-01-05' and zhdate<='#'");
    active({{"", "上班时间", "=", "08:00# or 1=1 or #08:00"}});
    range("");
    EXPECT_EQ(where(), "where ONTIME = '08:00# or 1=1 or #08:00'");
    active({{"", "出生日期", "=", "x or 1=1 --"}});
    EXPECT_EQ(where(), "where BIRTH = 'x or 1=1 --'");
}

TEST_P(MdlxClause, BuildingTwiceGivesTheSameClauseAndCaptions) {
    lib().FilterCaption2 = "old";
    lib().FilterCaption3 = "old";
    lib().SqlWhere = "where stale";
    range("time1", "2024年01月");
    active({{"", "部门", "=", "102"}, {"或者", "天数", "<", "5"}});
    const QString first = where();
    EXPECT_EQ(first, "where zhtime='2024年01月' and (DEPART = '102' or DAYS < 5)");
    EXPECT_EQ(lib().FilterCaption2, "");
    EXPECT_EQ(lib().FilterCaption3, "");
    EXPECT_EQ(where(), first);
    EXPECT_EQ(lib().FilterCaption1, "销售部");
}

TEST_P(MdlxClause, RangeCaptions) {
    m().DateFrom = "2024-01-01";
    m().DateTo = "2024-01-31";
    m().PeriodFrom = "2024年01月";
    m().PeriodTo = "2024年03月";
    const std::pair<const char*, const char*> cases[] = {
        {"date1", "[2024-01-01]"},
        {"date2", "[2024-01-01至2024-01-31]"},
        {"time1", "[2024年01月]"},
        {"time2", "[2024年01月至2024年03月]"},
        {"", ""},
        {"TIME1", ""},
    };
    for (const auto& [kind, caption] : cases) {
        lib().RangeKind = kind;
        EXPECT_EQ(m().RangeCaptionFor("工资报表"), QString("工资报表") + caption) << kind;
        EXPECT_EQ(m().CaptionPrefix, "工资报表");
        EXPECT_EQ(m().RangeCaption, caption);
        EXPECT_EQ(lib().QueryCaption, QString("工资报表") + caption);
    }
}

TEST_P(MdlxClause, CommitRefusesABadDateAndKeepsTheActiveConditions) {
    active({{"", "部门", "=", "101"}});
    m().EditedConditions[0] = {"", "姓名", "=", "张三"};
    m().EditedConditions[1] = {"并且", "出生日期", ">", "abc"};
    m().EditedCount = 2;
    EXPECT_EQ(m().CommitConditions(m().EditedCount), "出生日期格式不对");
    EXPECT_EQ(m().ActiveCount, 1);
    EXPECT_EQ(m().ActiveConditions[0][Mdlx::Item], "部门");
    EXPECT_EQ(m().ActiveConditions[1][Mdlx::Item], "");

    m().EditedConditions[1] = {"并且", "上班时间", ">", "25:00:00"};
    EXPECT_EQ(m().CommitConditions(2), "上班时间格式不对");
    m().EditedConditions[1] = {"并且", "日期", ">", "2024-02-30"};
    EXPECT_EQ(m().CommitConditions(2), "日期格式不对");
    EXPECT_EQ(m().ActiveCount, 1);
}

TEST_P(MdlxClause, CommitCopiesTheEditedRowsAndClearsTheRest) {
    active({{"", "a", "b", "c"}, {"d", "e", "f", "g"}, {"h", "i", "j", "k"}});
    m().EditedConditions[0] = {"", "出生日期", ">", "1985-01-01"};
    m().EditedConditions[1] = {"或者", "上班时间", "<", "08:30:00"};
    m().EditedConditions[2] = {"并且", "金额", ">", "abc"};
    m().EditedConditions[3] = {"并且", "出生日期", ">", "not checked"};
    m().EditedCount = 3;
    EXPECT_EQ(m().CommitConditions(m().EditedCount), "");
    EXPECT_EQ(m().ActiveCount, 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(m().ActiveConditions[i], m().EditedConditions[i]) << i;
    for (int i = 3; i < Mdlx::MaxConditions; ++i)
        EXPECT_EQ(m().ActiveConditions[i], Mdlx::ConditionRow()) << i;

    m().EditedCount = 0;
    EXPECT_EQ(m().CommitConditions(0), "");
    EXPECT_EQ(m().ActiveCount, 0);
    EXPECT_EQ(m().ActiveConditions[0], Mdlx::ConditionRow());
}

TEST_P(MdlxClause, CommitAndBuildStayWithinThirtyRows) {
    for (int i = 0; i < Mdlx::MaxConditions; ++i)
        m().EditedConditions[i] = {"或者", "天数", "=", QString::number(i)};
    m().EditedCount = 31;
    EXPECT_EQ(m().CommitConditions(31), "");
    EXPECT_EQ(m().ActiveCount, 30);
    m().ActiveCount = 31;
    const QString clause = where();
    EXPECT_TRUE(clause.startsWith("where (DAYS = 0 or DAYS = 1")) << clause.toStdString();
    EXPECT_TRUE(clause.endsWith("or DAYS = 29)")) << clause.toStdString();
}

TEST_P(MdlxClause, ResetEmptiesTheModuleState) {
    m().DateFrom = "x";
    m().EditedConditions[5][2] = "=";
    m().EditedCount = 6;
    m().SumFields[99] = "AMOUNT";
    m().SumCount = 100;
    m().CurrentReportIndex = 3;
    m().reset();
    EXPECT_EQ(m().DateFrom, "");
    EXPECT_EQ(m().EditedConditions[5][2], "");
    EXPECT_EQ(m().EditedCount, 0);
    EXPECT_EQ(m().SumFields[99], "");
    EXPECT_EQ(m().SumCount, 0);
    EXPECT_EQ(m().CurrentReportIndex, 0);
}

INSTANTIATE_TEST_SUITE_P(, MdlxClause, ::testing::Values("1", "2"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param[0] == '2' ? "quote" : "hash");
                         });

} // namespace
} // namespace quill::test
