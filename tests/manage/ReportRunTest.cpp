#include "Printers.h"
#include "ReportWorkspace.h"
#include "TestDatabase.h"

#include "foundation/Mdlx.h"
#include "foundation/ReportStore.h"
#include "platform/db/Recordset.h"
#include "platform/ui/ScriptedUi.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ReportRun.h"

#include <gtest/gtest.h>

#include <memory>

using namespace quill;
using namespace quill::test;

namespace {

using Condition = ReportWorkspace::Condition;

ReportWorkspace::Report rep(const QString& name, const QStringList& display,
                            const QStringList& sort = {}, const QStringList& sum = {},
                            const QStringList& group = {}, const QList<Condition>& conditions = {},
                            const QString& table = QStringLiteral("RPT")) {
    return {name, display, sort, sum, group, conditions, table};
}

QStringList fields(const char* list) {
    return QString::fromLatin1(list).split(u',');
}

// Everything a report choice may change, to prove what it left alone.
struct QueryState {
    QString select, from, where, group, order, sql, caption, filter1;
    std::int16_t index = 0;
    Mdlx::ConditionTable conditions;
    std::int16_t conditionCount = 0;
    std::array<QString, Mdlx::MaxSumFields> sums;
    std::int32_t sumCount = 0;

    static QueryState now() {
        const SuiteLib& lib = SuiteLib::instance();
        const Mdlx& m = Mdlx::instance();
        return {lib.SqlSelect,      lib.SqlFrom,        lib.SqlWhere,
                lib.SqlGroup,       lib.SqlOrder,       lib.QuerySql,
                lib.QueryCaption,   lib.FilterCaption1, m.CurrentReportIndex,
                m.ActiveConditions, m.ActiveCount,      m.SumFields,
                m.SumCount};
    }
    bool operator==(const QueryState&) const = default;
};

class ReportRunTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        ws = std::make_unique<ReportWorkspace>(db().config());
        store = std::make_unique<ReportStore>(dictionary);
        run = std::make_unique<ReportRun>(*store);
    }
    void TearDown() override {
        run.reset();
        store.reset();
        dictionary.Close();
        records.Close();
        ws.reset();
        EngineTest::TearDown();
    }

    // A query the module had before the click.
    static void seedState() {
        SuiteLib& lib = SuiteLib::instance();
        Mdlx& m = Mdlx::instance();
        lib.SqlSelect = QStringLiteral("select * ");
        lib.SqlFrom = QStringLiteral(" from RPT ");
        lib.SqlWhere = QStringLiteral("where zhtime='2024年01月'");
        lib.SqlGroup.clear();
        lib.SqlOrder = QStringLiteral(" order by memberid");
        lib.joinQuery();
        lib.QueryCaption = QStringLiteral("报表测试[2024年01月]");
        m.CurrentReportIndex = 2;
        m.ActiveConditions[0] = {QString(), QStringLiteral("金额"), QStringLiteral(">"),
                                 QStringLiteral("1")};
        m.ActiveCount = 1;
        m.SumFields[0] = QStringLiteral("DAYS");
        m.SumCount = 1;
    }

    // The rows of the composed query, fields joined by "|".
    QStringList queryRows() {
        records.Open(SuiteLib::instance().QuerySql, ws->connection());
        QStringList rows;
        for (; !records.Eof(); records.MoveNext()) {
            QStringList values;
            for (int i = 0; i < records.FieldCount(); ++i)
                values << records.Value(i).toString();
            rows << values.join(u'|');
        }
        records.Close();
        return rows;
    }

    std::unique_ptr<ReportWorkspace> ws;
    std::unique_ptr<ReportStore> store;
    std::unique_ptr<ReportRun> run;
    Recordset dictionary;
    Recordset records;
    ScriptedUi ui;
};

TEST_P(ReportRunTest, HeadingChangesOnlyTheReportIndex) {
    ws->addReport(
        rep(QStringLiteral("部门合计"), fields("DEPART,AMOUNT"), {}, {}, fields("DEPART")));
    seedState();
    QueryState expected = QueryState::now();
    expected.index = 0;
    EXPECT_FALSE(run->Choose(1, QStringLiteral("报表名称:")));
    EXPECT_EQ(QueryState::now(), expected);
    EXPECT_EQ(run->ReportId(), 0);
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_P(ReportRunTest, GroupedReportSumsNumbersAndGroupsAndOrdersByGroupItems) {
    const long id = ws->addReport(rep(QStringLiteral("部门合计"), fields("DEPART,AMOUNT,DAYS"), {},
                                      fields("AMOUNT"), fields("DEPART")));
    seedState();
    ASSERT_TRUE(run->Choose(2, QStringLiteral("部门合计")));
    const SuiteLib& lib = SuiteLib::instance();
    const Mdlx& m = Mdlx::instance();
    EXPECT_EQ(lib.SqlSelect,
              QStringLiteral("select DEPART, sum(AMOUNT) as sumAMOUNT, sum(DAYS) as sumDAYS "));
    EXPECT_EQ(lib.SqlFrom, QStringLiteral("from RPT "));
    EXPECT_EQ(lib.SqlWhere, QStringLiteral("where zhtime='2024年01月'"));
    EXPECT_EQ(lib.SqlGroup, QStringLiteral(" group by DEPART"));
    EXPECT_EQ(lib.SqlOrder, QStringLiteral(" order by DEPART"));
    EXPECT_EQ(lib.QuerySql,
              lib.SqlSelect + lib.SqlFrom + lib.SqlWhere + lib.SqlGroup + lib.SqlOrder);
    EXPECT_EQ(lib.QueryCaption, QStringLiteral("部门合计[2024年01月]"));
    EXPECT_EQ(m.CurrentReportIndex, 1);
    EXPECT_EQ(run->ReportId(), id);
    EXPECT_EQ(m.ActiveCount, 0); // the report has no conditions: the old ones are gone
    EXPECT_TRUE(m.ActiveConditions[0][Mdlx::Item].isEmpty());
    ASSERT_EQ(m.SumCount, 1);
    EXPECT_EQ(m.SumFields[0], QStringLiteral("AMOUNT"));
    EXPECT_TRUE(m.SumFields[1].isEmpty());

    const QStringList rows = queryRows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("101|300.5|41"))) << rows[0].toStdString();
    EXPECT_TRUE(rows[1].startsWith(QStringLiteral("102|360.25|50"))) << rows[1].toStdString();
}

// An ungrouped report selects its plain items and orders by its sort items
// (no order part without them); items the table lacks are left out without
// stray separators; group items it lacks altogether leave it ungrouped.
TEST_P(ReportRunTest, ReportsComposeTheirQueryOfTheItemsTheTableHas) {
    const QStringList amounts{"101|100.5", "101|200", "102|300.25", "102|50", "102|10"};
    const struct {
        ReportWorkspace::Report report;
        QString select, group, order;
        QStringList rows; // none: five rows in no set order
    } cases[] = {
        {rep("金额明细", fields("DEPART,AMOUNT"), fields("DEPART,memberid"), fields("AMOUNT")),
         "select DEPART,AMOUNT ", "", " order by DEPART,memberid", amounts},
        {rep("无序", fields("memberid")), "select memberid ", "", "", {}},
        {rep("缺项", fields("GHOST,DEPART,LOST,AMOUNT"), fields("GHOST,memberid")),
         "select DEPART,AMOUNT ", "", " order by memberid", amounts},
        {rep("缺项汇总", fields("GHOST,AMOUNT,DEPART"), {}, {}, fields("GHOST,DEPART")),
         "select sum(AMOUNT) as sumAMOUNT,DEPART ",
         " group by DEPART",
         " order by DEPART",
         {"300.5|101", "360.25|102"}},
        {rep("只缺组", fields("memberid,AMOUNT"), fields("memberid"), {}, fields("GHOST")),
         "select memberid,AMOUNT ",
         "",
         " order by memberid",
         {"E1|100.5", "E2|200", "E3|300.25", "E4|50", "E5|10"}},
    };
    const SuiteLib& lib = SuiteLib::instance();
    int index = 2;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.report.name.toStdString());
        ws->addReport(c.report);
        ASSERT_TRUE(run->Choose(index++, c.report.name));
        EXPECT_EQ(lib.SqlSelect, c.select);
        // A grouped report's from part has no leading blank.
        EXPECT_EQ(lib.SqlFrom, c.group.isEmpty() ? " from RPT " : "from RPT ");
        EXPECT_EQ(lib.SqlGroup, c.group);
        EXPECT_EQ(lib.SqlOrder, c.order);
        if (c.rows.isEmpty())
            EXPECT_EQ(queryRows().size(), 5);
        else
            EXPECT_EQ(queryRows(), c.rows);
    }
}

// Item rows and condition rows interleaved in proid order are told apart by
// proif alone, in the text of either dialect on either engine.
TEST_P(ReportRunTest, BothDialectsReadItemAndConditionRowsByTheirFlag) {
    EXPECT_EQ(
        ReportStore::itemRowsSql(7),
        SuiteLib::instance().DatabaseKind == QLatin1String("1")
            ? QStringLiteral("select * from zdb1 where proif=false and parid=7 order by proid")
            : QStringLiteral("select * from zdb1 where proif=0 and parid=7 order by proid"));
    const long id = ws->addRow(100, QStringLiteral("交错"), QStringLiteral("RPT"), true);
    ws->addRow(id, QStringLiteral("memberid"), QStringLiteral("memberid"), false,
               QStringLiteral("AMOUNT"));
    ws->addRow(id, QString(), QStringLiteral("AMOUNT"), true, QStringLiteral(">"),
               QStringLiteral("60"));
    ws->addRow(id, QStringLiteral("AMOUNT"), QString(), false);
    ws->addRow(id, QStringLiteral("并且"), QStringLiteral("DAYS"), true, QStringLiteral("<"),
               QStringLiteral("22"));
    for (const QString& kind : {QStringLiteral("1"), QStringLiteral("2")}) {
        SCOPED_TRACE(kind.toStdString());
        ws->useDialect(kind);
        EXPECT_EQ(ReportStore::itemRowsSql(id),
                  QStringLiteral("select * from zdb1 where proif=%1 and parid=%2 order by proid")
                      .arg(kind == QLatin1String("1") ? "false" : "0")
                      .arg(id));
        EXPECT_EQ(ReportStore::conditionRowsSql(id),
                  QStringLiteral("select * from zdb1 where proif=%1 and parid=%2 order by proid")
                      .arg(kind == QLatin1String("1") ? "true" : "1")
                      .arg(id));
        ASSERT_TRUE(run->Choose(2, QStringLiteral("交错")));
        const Mdlx& m = Mdlx::instance();
        EXPECT_EQ(run->Lists().Display.entries(), fields("memberid,AMOUNT"));
        EXPECT_EQ(run->Lists().Sort.entries(), fields("memberid"));
        EXPECT_EQ(run->Lists().Sum.entries(), fields("AMOUNT"));
        EXPECT_EQ(run->Lists().Group.count(), 0);
        ASSERT_EQ(m.ActiveCount, 2);
        EXPECT_EQ(m.ActiveConditions[0], (Mdlx::ConditionRow{"", "金额", ">", "60"}));
        EXPECT_EQ(m.ActiveConditions[1], (Mdlx::ConditionRow{"并且", "天数", "<", "22"}));
        EXPECT_EQ(SuiteLib::instance().SqlWhere,
                  QStringLiteral("where zhtime='2024年01月' and (AMOUNT > 60 and DAYS < 22)"));
        dictionary.Close();
        records.Open(SuiteLib::instance().QuerySql, *SuiteLib::instance().Connection);
        QStringList ids;
        for (; !records.Eof(); records.MoveNext())
            ids << records.Value(0).toString();
        records.Close();
        EXPECT_EQ(ids, fields("E1,E2"));
    }
}

// Stored organisation conditions hold names; the query needs codes. The team
// 一班 exists in both departments, the group 甲组 in both teams.
TEST_P(ReportRunTest, OrganisationNamesBecomeCodesWithinTheirParents) {
    const Condition sales{{}, "DEPART", "=", "销售部"};
    const Condition production{{}, "DEPART", "=", "生产部"};
    const Condition firstTeam{"并且", "GROUP0", "=", "一班"};
    const QStringList id = fields("memberid");
    ws->addReport(
        rep("销售一班甲组", id, id, {}, {}, {sales, firstTeam, {"并且", "TEAM", "=", "甲组"}}));
    ws->addReport(rep("生产一班", id, id, {}, {}, {production, firstTeam}));
    ws->addReport(rep("生产部", id, id, {}, {}, {production}));
    const Mdlx& m = Mdlx::instance();
    const SuiteLib& lib = SuiteLib::instance();

    ASSERT_TRUE(run->Choose(2, QStringLiteral("销售一班甲组")));
    ASSERT_EQ(m.ActiveCount, 3);
    EXPECT_EQ(m.ActiveConditions[0], (Mdlx::ConditionRow{"", "部门", "=", "102"}));
    EXPECT_EQ(m.ActiveConditions[1], (Mdlx::ConditionRow{"并且", "班别", "=", "202"}));
    EXPECT_EQ(m.ActiveConditions[2], (Mdlx::ConditionRow{"并且", "组别", "=", "302"}));
    EXPECT_EQ(lib.FilterCaption1 + lib.FilterCaption2 + lib.FilterCaption3,
              QStringLiteral("销售部一班甲组"));
    EXPECT_EQ(queryRows(), fields("E3"));

    ASSERT_TRUE(run->Choose(3, QStringLiteral("生产一班")));
    EXPECT_EQ(m.ActiveConditions[1][Mdlx::Value], QStringLiteral("201"));
    EXPECT_TRUE(m.ActiveConditions[2][Mdlx::Value].isEmpty());
    EXPECT_EQ(queryRows(), fields("E1,E2"));

    ASSERT_TRUE(run->Choose(4, QStringLiteral("生产部")));
    ASSERT_EQ(m.ActiveCount, 1);
    EXPECT_EQ(m.ActiveConditions[0][Mdlx::Value], QStringLiteral("101"));
    EXPECT_EQ(lib.FilterCaption1, QStringLiteral("生产部"));
    EXPECT_EQ(queryRows(), fields("E1,E2"));
}

TEST_P(ReportRunTest, ReportDeletedMeanwhileIsReportedAndChangesNothing) {
    ws->addReport(rep(QStringLiteral("部门合计"), fields("DEPART,AMOUNT"), {}, {}, fields("DEPART"),
                      {}, QStringLiteral("OTHER")));
    seedState();
    const QueryState before = QueryState::now();
    // Same name, other table: not this table's report.
    EXPECT_FALSE(run->Choose(3, QStringLiteral("部门合计")));
    EXPECT_EQ(QueryState::now(), before);
    EXPECT_EQ(ui.messages(),
              (Messages{{"报表'部门合计'已不存在,可能已被删除。", MsgButtons::OkOnly, {}}}));

    // Without a REPORT root no report exists at all.
    ws->exec(QStringLiteral("delete from zdb1 where proid=100"));
    EXPECT_FALSE(run->Choose(2, QStringLiteral("部门合计")));
    EXPECT_EQ(QueryState::now(), before);
    EXPECT_EQ(ui.messages().size(), 2);
}

TEST_P(ReportRunTest, QuotesInReportAndValueTextsDoNotBreakTheSql) {
    ws->addReport(rep("O'Neil's 报表", fields("memberid,name"), fields("memberid"), {}, {},
                      {{{}, "name", "<>", "O'Neil"}}));
    ASSERT_TRUE(run->Choose(2, QStringLiteral("O'Neil's 报表")));
    EXPECT_EQ(SuiteLib::instance().QueryCaption, QStringLiteral("O'Neil's 报表[2024年01月]"));
    EXPECT_EQ(queryRows().size(), 5);
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_P(ReportRunTest, ReadingStopsAtHundredItemsAndThirtyConditions) {
    const long id = ws->addRow(100, QStringLiteral("超长"), QStringLiteral("RPT"), true);
    for (int k = 0; k < 101; ++k)
        ws->addRow(id, QStringLiteral("memberid"), QString(), false,
                   k == 100 ? QStringLiteral("AMOUNT") : QString());
    // Each condition narrows more than the one before: DAYS > r - 10.
    for (int r = 0; r < 31; ++r)
        ws->addRow(id, r ? QStringLiteral("并且") : QString(), QStringLiteral("DAYS"), true,
                   QStringLiteral(">"), QString::number(r - 10));
    ASSERT_TRUE(run->Choose(2, QStringLiteral("超长")));
    const Mdlx& m = Mdlx::instance();
    EXPECT_EQ(run->Lists().Display.count(), 100);
    EXPECT_EQ(run->Lists().Sum.count(), 0); // the sum item sat in row 101
    EXPECT_EQ(m.SumCount, 0);
    EXPECT_EQ(SuiteLib::instance().SqlSelect.count(u','), 99);
    EXPECT_EQ(m.ActiveCount, 30);
    EXPECT_EQ(m.ActiveConditions[29][Mdlx::Value], QStringLiteral("19"));
    EXPECT_EQ(queryRows().size(), 4); // DAYS > 19 is the last condition kept; E1 has 20
}

} // namespace

QUILL_INSTANTIATE_ENGINES(ReportRunTest);
