#include "ReportWorkspace.h"
#include "TestDatabase.h"

#include "foundation/ReportStore.h"
#include "platform/db/Recordset.h"
#include "suite/SuiteLib.h"

#include <gtest/gtest.h>

#include <memory>

using namespace quill;
using namespace quill::test;

namespace {

class ReportStoreTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        ws = std::make_unique<ReportWorkspace>(db().config());
    }
    void TearDown() override {
        rs.Close();
        ws.reset();
        EngineTest::TearDown();
    }

    std::unique_ptr<ReportWorkspace> ws;
    Recordset rs;
    ReportStore store{rs};
};

// The designer and the report run both read a report as its rows hold it:
// field names rather than captions, unit names rather than codes, blanks
// where a list has no entry in that row.
TEST_P(ReportStoreTest, ReadsTheRowsAsStored) {
    ws->addReport({"其他表", {"x"}, {}, {}, {}, {}, "OTHER"});
    const long id =
        ws->addReport({"O'Neil 报表",
                       {"memberid", "DEPART", "AMOUNT"},
                       {"DEPART"},
                       {"AMOUNT"},
                       {},
                       {{{}, "DEPART", "=", "销售部"}, {"并且", "name", "<>", "O'Neil"}}});
    ws->addReport({"第二", {"memberid"}, {}, {}, {}, {}});

    const std::optional<qint64> root = store.rootId();
    ASSERT_EQ(root, 100);
    EXPECT_EQ(store.names(*root), (QStringList{"O'Neil 报表", "第二"}));

    const std::optional<ReportDefinition> d = store.read(QStringLiteral("O'Neil 报表"));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->id, id);
    EXPECT_EQ(d->lists.Display.entries(), (QStringList{"memberid", "DEPART", "AMOUNT"}));
    EXPECT_EQ(d->lists.Sort.entries(), QStringList{"DEPART"});
    EXPECT_EQ(d->lists.Sum.entries(), QStringList{"AMOUNT"});
    EXPECT_EQ(d->lists.Group.count(), 0);
    ASSERT_EQ(d->conditionCount, 2);
    EXPECT_EQ(d->conditions[0], (Mdlx::ConditionRow{"", "DEPART", "=", "销售部"}));
    EXPECT_EQ(d->conditions[1], (Mdlx::ConditionRow{"并且", "name", "<>", "O'Neil"}));
    EXPECT_EQ(d->conditions[2], Mdlx::ConditionRow{});

    EXPECT_FALSE(store.read(QStringLiteral("其他表"))); // another table's report
    EXPECT_FALSE(store.read(QStringLiteral("没有")));
    ws->exec(QStringLiteral("delete from zdb1 where proid=100"));
    EXPECT_FALSE(store.rootId());
    EXPECT_FALSE(store.read(QStringLiteral("第二")));
}

} // namespace

QUILL_INSTANTIATE_ENGINES(ReportStoreTest);
