#include "TestDatabase.h"
#include "TestSql.h"

#include "demo/DemoGenerator.h"
#include "demo/DemoLoader.h"
#include "foundation/ReportStore.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/vb/PlainText.h"
#include "suite/SuiteLib.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace quill;
using namespace quill::test;

namespace {

// Each test runs on both engines in both dialects: the instantiation's name
// ("hash" or "quote") chooses the DatabaseKind.
class ReportStoreWriteTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        const std::string suite =
            ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name();
        ConnectionConfig config = db().config();
        config.databaseKind = suite.starts_with("hash") ? "1" : "2";
        connection = std::make_shared<Connection>(config);
        DemoLoader(*connection).load(DemoGenerator(DemoOptions()));
        other = std::make_shared<Connection>(config);
        SuiteLib& lib = SuiteLib::instance();
        lib.reset();
        lib.Connection = connection;
        lib.DatabaseKind = config.databaseKind;
        lib.TableName = "GZB";
        lib.ReportFolder = db().folder();
    }
    void TearDown() override {
        rs.Close();
        SuiteLib::instance().reset();
        other.reset();
        connection.reset();
        EngineTest::TearDown();
    }

    // Every zdb1 row, in proid order, as text.
    QStringList dump() {
        Recordset all;
        all.Open("select parid, proid, proname, proval, proif, proval1, proval2 "
                 "from zdb1 order by proid",
                 *other);
        QStringList rows;
        for (; !all.Eof(); all.MoveNext()) {
            QStringList row;
            for (int i = 0; i < all.FieldCount(); ++i)
                row << (all.Value(i).isNull() ? "∅" : vb::PlainText(all.Value(i)));
            rows << row.join(u'|');
        }
        return rows;
    }
    // The rows below a report: proname..proval2 (proif dropped), in proid order.
    QStringList childRows(qint64 reportId) {
        QStringList rows;
        for (const QString& row : dump()) {
            const QStringList f = row.split(u'|');
            if (f.at(0) == QString::number(reportId))
                rows << QStringList{f.at(2), f.at(3), f.at(5), f.at(6)}.join(u'|');
        }
        return rows;
    }
    qint64 idOf(const QString& name) { return store.read(name).value().id; }
    void sql(const QString& text) { execSql(*other, text); }

    static ReportDraft draft(const QString& name) {
        ReportDraft d;
        d.name = name;
        d.display = QStringList{"memberid", "name", "sfgz"};
        d.sort = QStringList{"name"};
        d.sum = QStringList{"sfgz"};
        d.conditions[0] = {"", "DEPART", "=", "生产部"};
        d.conditions[1] = {"并且", "name", "<>", "O'Neil; drop table zdb3"};
        d.conditionCount = 2;
        return d;
    }

    std::shared_ptr<Connection> connection;
    std::shared_ptr<Connection> other; // a second user of the same database
    Recordset rs;
    ReportStore store{rs};
};

// The item lists side by side, sort and sum entries in the first rows, not
// beside their own display items; conditions as shown; quotes kept exactly.
TEST_P(ReportStoreWriteTest, AddStoresTheRowLayoutAndReadsItBack) {
    ReportDraft d = draft("O'Brien报表");
    ASSERT_EQ(store.add(d), QString());
    const qint64 id = idOf(d.name);
    EXPECT_EQ(childRows(id),
              (QStringList{"memberid|name|sfgz|∅", "name|∅|∅|∅", "sfgz|∅|∅|∅", "|DEPART|=|生产部",
                           "并且|name|<>|O'Neil; drop table zdb3"}));
    const ReportDefinition back = store.read(d.name).value();
    EXPECT_EQ(back.lists.Display.entries(), d.display);
    EXPECT_EQ(back.lists.Sort.entries(), d.sort);
    EXPECT_EQ(back.lists.Sum.entries(), d.sum);
    EXPECT_EQ(back.conditionCount, 2);
    EXPECT_EQ(back.conditions[1], d.conditions[1]);
    EXPECT_TRUE(store.names(store.rootId().value()).endsWith(d.name));
    sql("select count(*) from zdb3"); // still there
}

// A name another user has just taken is refused even though the caller's
// list did not show it yet; nothing is written.
TEST_P(ReportStoreWriteTest, AddRefusesANameTakenMeanwhile) {
    ASSERT_EQ(store.add(draft("月报")), QString());
    const QStringList before = dump();
    EXPECT_EQ(store.add(draft("月报")), "已有此报表名称！");
    EXPECT_EQ(dump(), before);
}

TEST_P(ReportStoreWriteTest, AddCreatesAMissingRoot) {
    sql("delete from zdb1 where parid=0 and proval='REPORT'");
    ASSERT_FALSE(store.rootId());
    ASSERT_EQ(store.add(draft("新表")), QString());
    ASSERT_TRUE(store.rootId());
    EXPECT_EQ(store.names(*store.rootId()), QStringList{"新表"});
    EXPECT_EQ(store.read("新表").value().lists.Display.count(), 3);
}

TEST_P(ReportStoreWriteTest, ModifyKeepsTheIdAndReplacesTheRows) {
    ASSERT_EQ(store.add(draft("甲")), QString());
    ASSERT_EQ(store.add(draft("乙")), QString());
    const qint64 id = idOf("甲");

    ReportDraft d;
    d.name = "甲";
    d.display = QStringList{"DEPART", "sfgz"};
    d.group = QStringList{"DEPART"};
    ASSERT_EQ(store.modify("甲", d), QString()); // its own name
    EXPECT_EQ(childRows(id), (QStringList{"DEPART|∅|∅|DEPART", "sfgz|∅|∅|∅"}));

    d.name = "丙";
    ASSERT_EQ(store.modify("甲", d), QString());
    EXPECT_EQ(idOf("丙"), id);
    EXPECT_FALSE(store.read("甲"));

    const QStringList before = dump();
    d.name = "乙";
    EXPECT_EQ(store.modify("丙", d), "已有此报表名称！");
    EXPECT_EQ(dump(), before);
}

TEST_P(ReportStoreWriteTest, RemoveTakesOnlyTheReportsRows) {
    ASSERT_EQ(store.add(draft("甲")), QString());
    const QStringList before = dump();
    ASSERT_EQ(store.add(draft("乙")), QString());
    QFile workbook(ReportStore::workbookPath("乙"));
    ASSERT_TRUE(workbook.open(QIODevice::WriteOnly));
    workbook.close();
    ASSERT_EQ(store.remove("乙"), QString());
    EXPECT_EQ(dump(), before);
    EXPECT_TRUE(workbook.exists());
}

// Another user deleted or renamed the report after this one listed it:
// nothing is written into a vanished or different report.
TEST_P(ReportStoreWriteTest, AReportChangedMeanwhileIsReported) {
    const QString vanished = "报表已被其他用户修改或删除";
    for (const char* change : {"delete from zdb1 where proname='甲'",
                               "update zdb1 set proname='甲2' where proname='甲'"}) {
        ASSERT_EQ(store.add(draft("甲")), QString());
        sql(QString::fromUtf8(change));
        const QStringList before = dump();
        EXPECT_EQ(store.modify("甲", draft("甲")), vanished);
        EXPECT_EQ(store.remove("甲"), vanished);
        EXPECT_EQ(dump(), before) << change;
        sql("delete from zdb1 where proname='甲2'");
    }
}

// A failure on the third item row leaves the stored reports exactly as they
// were, for add and for modify (whose old rows are deleted first).
TEST_P(ReportStoreWriteTest, AFailureHalfWayLeavesNothingBehind) {
    ASSERT_EQ(store.add(draft("甲")), QString());
    if (GetParam() == Engine::Pg) {
        sql("create function boom() returns trigger language plpgsql as $$ begin "
            "if new.proname = 'boom' then raise exception 'boom refused'; end if; "
            "return new; end $$");
        sql("create trigger boom before insert on zdb1 for each row "
            "execute function boom()");
    } else {
        sql("create trigger boom before insert on zdb1 when new.proname = 'boom' "
            "begin select raise(abort, 'boom refused'); end");
    }
    const QStringList before = dump();
    ReportDraft d = draft("乙");
    d.display = QStringList{"memberid", "name", "boom", "sfgz"};
    const QString added = store.add(d);
    EXPECT_TRUE(added.startsWith("报表保存失败：")) << added.toStdString();
    EXPECT_TRUE(added.contains("boom refused")) << added.toStdString();
    EXPECT_EQ(dump(), before);

    d.name = "甲";
    EXPECT_TRUE(store.modify("甲", d).startsWith("报表保存失败："));
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(store.read("甲").value().lists.Display.count(), 3);
}

INSTANTIATE_TEST_SUITE_P(hash, ReportStoreWriteTest, ::testing::ValuesIn(engines()), engineName);
INSTANTIATE_TEST_SUITE_P(quote, ReportStoreWriteTest, ::testing::ValuesIn(engines()), engineName);

struct NameCase {
    const char* typed;
    const char* refusal;
};

TEST(ReportStoreNames, RefusesEmptyNumbersAndTheHeading) {
    const NameCase cases[] = {
        {"", "请输入报表名称！"},   {"   ", "请输入报表名称！"},     {"2008", "无效报表名称！"},
        {"-3.5", "无效报表名称！"}, {"报表名称:", "无效报表名称！"}, {"2008年", ""},
        {"O'Brien报表", ""}};
    for (const NameCase& c : cases)
        EXPECT_EQ(ReportStore::nameRefusal(QString::fromUtf8(c.typed)),
                  QString::fromUtf8(c.refusal))
            << c.typed;
}

// A template report's workbook locks its name, blanks around the typed name
// or not.
TEST(ReportStoreNames, AWorkbookLocksTheName) {
    QTemporaryDir folder;
    SuiteLib::instance().ReportFolder = folder.path();
    QFile workbook(folder.filePath("月报.vts"));
    ASSERT_TRUE(workbook.open(QIODevice::WriteOnly));
    workbook.close();
    EXPECT_TRUE(ReportStore::hasWorkbook("月报"));
    EXPECT_TRUE(ReportStore::hasWorkbook(" 月报 "));
    EXPECT_FALSE(ReportStore::hasWorkbook("周报"));
    SuiteLib::instance().reset();
}

} // namespace
