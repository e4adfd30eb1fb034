#include "TableDump.h"
#include "TestDatabase.h"
#include "demo/DemoError.h"
#include "demo/DemoGenerator.h"
#include "demo/DemoLoader.h"
#include "demo/DemoSchema.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"

#include <QSet>

#include <gmock/gmock.h>

using namespace quill;
using namespace quill::test;

namespace {

DemoOptions small() {
    DemoOptions o;
    o.employees = 30;
    o.periods = 2;
    o.seed = 11;
    o.photoFolder = "/ws/home/photo";
    return o;
}

QString text(const Recordset& rs, const char* name) {
    return rs.Value(QString::fromLatin1(name)).toString();
}

bool isNull(const Recordset& rs, const char* name) {
    return rs.Value(QString::fromLatin1(name)).isNull();
}

// The rows of one query as opened through the suite's recordsets.
int count(Connection& c, const QString& sql) {
    Recordset rs;
    rs.Open(sql, c);
    return rs.RecordCount();
}

} // namespace

class DemoLoadTest : public EngineTest {};

// Every table holds exactly the generated rows, value for value, after the
// round trip through the engine's types; so one seed gives the same rows on
// SQLite and on PostgreSQL.
TEST_P(DemoLoadTest, LoadsTheGeneratedRows) {
    const DemoGenerator g(small());
    Connection c(db().config());
    DemoLoader(c).load(g);
    for (const DemoTable& t : DemoSchema::tables()) {
        const QStringList rows = dumpTable(c.database(), t);
        EXPECT_EQ(rows.size(), g.rowCount(t.name)) << t.name.toStdString();
        EXPECT_EQ(rows, dumpGenerated(g, t)) << t.name.toStdString();
    }
}

// A database that already holds the suite's tables is refused; nothing is
// added twice. A load that fails half way leaves no table behind.
TEST_P(DemoLoadTest, NeverLoadsTwice) {
    const DemoGenerator g(small());
    Connection c(db().config());
    DemoLoader loader(c);
    EXPECT_FALSE(loader.hasSuiteTables());
    loader.load(g);
    EXPECT_TRUE(loader.hasSuiteTables());
    const auto before = loader.rowCounts();
    EXPECT_THROW(loader.load(g), DemoError);
    EXPECT_THROW(loader.load(DemoGenerator(DemoOptions{})), DemoError);
    EXPECT_EQ(loader.rowCounts(), before);
    for (const auto& [table, rows] : before)
        EXPECT_EQ(rows, g.rowCount(table)) << table.toStdString();
}

TEST_P(DemoLoadTest, FailedLoadLeavesNothing) {
    Connection c(db().config());
    c.Execute("create table KQB (x integer)");
    DemoLoader loader(c);
    EXPECT_THROW(loader.load(DemoGenerator(small())), DbError);
    EXPECT_FALSE(loader.hasSuiteTables());
    c.Execute("drop table KQB");
    loader.load(DemoGenerator(small()));
    EXPECT_EQ(loader.rowCounts().last().second, DemoGenerator(small()).rowCount("KQB"));
}

// The suite's own texts work on the loaded database in its dialect: the
// sysobjects probe, proif in either dialect, the organisation queries, and
// a new zdb1 row gets an id after the loaded ones.
TEST_P(DemoLoadTest, SuiteQueriesWork) {
    Connection c(db().config());
    DemoLoader(c).load(DemoGenerator(small()));
    const bool quote = c.quoteDialect();
    for (const QString table : {"GZB", "YGZL", "KQB", "zdb1"}) {
        if (quote) {
            EXPECT_EQ(count(c, "select * from sysobjects where name='" + table + "'"), 1)
                << table.toStdString();
        }
        EXPECT_GT(count(c, "select * from " + table), 0);
    }
    EXPECT_EQ(count(c, "select * from zdb1 where parid=0 and proval='DATABASE'"), 1);
    EXPECT_EQ(count(c, "select * from zdb1 where parid=0 and proval='REPORT'"), 1);
    EXPECT_EQ(count(c, "select * from zdb3 where proval=3 and proname='生产部'"), 1);
    EXPECT_EQ(count(c, "select * from zdb3 where proval=2 and proname='性别'"), 1);
    EXPECT_EQ(count(c, "select * from SYS02 where cdmc='工资管理'"), 1);
    const QString yes = quote ? "proif=1" : "proif=true";
    const QString no = quote ? "proif=0" : "proif=false";
    const int all = count(c, "select * from zdb1");
    EXPECT_EQ(count(c, "select * from zdb1 where " + yes) +
                  count(c, "select * from zdb1 where " + no),
              all);

    Recordset rs;
    rs.Open("select * from zdb1 where parid=0 and proval='REPORT'", c);
    rs.AddNew();
    rs.SetValue("parid", 0);
    rs.SetValue("proname", "新报表");
    rs.SetValue("proval", "NEW");
    rs.SetValue("proif", true);
    rs.Update();
    rs.Close();
    rs.Open("select * from zdb1 where proval='NEW'", c);
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Value("proid").toInt(), all + 1);
}

// Every saved report is stored as the designer stores it: a report row under
// the REPORT root naming a data table, item rows whose sort, sum and group
// entries fill the first rows, then condition rows; conditions on the
// organisation hold names, a team condition follows its department's.
TEST_P(DemoLoadTest, SavedReportsFollowTheStoredLayout) {
    const DemoGenerator g(small());
    Connection c(db().config());
    DemoLoader(c).load(g);
    const bool quote = c.quoteDialect();
    QSet<QString> departments;
    QSet<QString> teams;
    for (const DemoUnit& u : g.units()) {
        if (u.kind == DemoUnit::Department)
            departments << u.name;
        if (u.kind == DemoUnit::Team)
            teams << u.name;
    }

    Recordset root;
    root.Open("select * from zdb1 where parid=0 and proval='REPORT'", c);
    ASSERT_EQ(root.RecordCount(), 1);
    const QString rootId = text(root, "proid");
    Recordset reports;
    reports.Open("select * from zdb1 where parid=" + rootId + " order by proid", c);
    int plainSorted = 0, groupedSummed = 0, withDeptCondition = 0;
    QSet<QString> seen;
    for (reports.MoveFirst(); !reports.Eof(); reports.MoveNext()) {
        const QString name = text(reports, "proname");
        const DemoTable& table = DemoSchema::table(text(reports, "proval"));
        SCOPED_TRACE(name.toStdString() + " " + table.name.toStdString());
        EXPECT_TRUE(table.isDataTable());
        EXPECT_TRUE(reports.Value("proif").toBool());
        EXPECT_EQ(name, name.trimmed());
        EXPECT_FALSE(seen.contains(name + "/" + table.name));
        seen << name + "/" + table.name;
        Recordset found;
        found.Open("select * from zdb1 where parid=" + rootId + " and proname='" + name +
                       "' and proval='" + table.name + "' order by proid",
                   c);
        EXPECT_EQ(found.RecordCount(), 1);
        const QString id = text(reports, "proid");

        Recordset items;
        items.Open("select * from zdb1 where " + QString(quote ? "proif=0" : "proif=false") +
                       " and parid=" + id + " order by proid",
                   c);
        ASSERT_GT(items.RecordCount(), 0);
        ASSERT_LE(items.RecordCount(), 100);
        QStringList display;
        QList<QStringList> lists(3);
        const char* columns[] = {"proval", "proval1", "proval2"};
        int lastItemId = 0;
        for (items.MoveFirst(); !items.Eof(); items.MoveNext()) {
            display << text(items, "proname");
            for (int l = 0; l < 3; ++l) {
                if (isNull(items, columns[l]))
                    continue;
                // Entries fill the first rows: no entry after a missing one.
                EXPECT_EQ(lists[l].size(), display.size() - 1) << columns[l];
                lists[l] << text(items, columns[l]);
            }
            lastItemId = items.Value("proid").toInt();
        }
        for (const QString& f : display)
            EXPECT_TRUE(table.fields().contains(f)) << f.toStdString();
        for (const QStringList& list : lists) {
            for (const QString& f : list)
                EXPECT_TRUE(display.contains(f)) << f.toStdString();
        }
        for (const QString& f : lists[1]) {
            const QString code = table.columns.at(table.fields().indexOf(f)).typeCode;
            EXPECT_TRUE(code == "D" || code == "I") << f.toStdString();
        }
        if (!lists[0].isEmpty() && lists[2].isEmpty())
            ++plainSorted;
        if (!lists[1].isEmpty() && !lists[2].isEmpty())
            ++groupedSummed;

        Recordset conditions;
        conditions.Open("select * from zdb1 where " + QString(quote ? "proif=1" : "proif=true") +
                            " and parid=" + id + " order by proid",
                        c);
        EXPECT_LE(conditions.RecordCount(), 30);
        QString previousField;
        int row = 0;
        for (conditions.MoveFirst(); !conditions.Eof(); conditions.MoveNext(), ++row) {
            EXPECT_GT(conditions.Value("proid").toInt(), lastItemId);
            const QString connective = text(conditions, "proname");
            EXPECT_FALSE(isNull(conditions, "proname"));
            if (row == 0)
                EXPECT_EQ(connective, QString());
            else
                EXPECT_THAT(connective, ::testing::AnyOf(QString("并且"), QString("或者")));
            const QString f = text(conditions, "proval");
            EXPECT_TRUE(table.fields().contains(f)) << f.toStdString();
            EXPECT_THAT(text(conditions, "proval1"),
                        ::testing::AnyOf(QString("="), QString(">"), QString("<"), QString(">="),
                                         QString("<="), QString("<>"), QString("LIKE")));
            const QString value = text(conditions, "proval2");
            if (f == "DEPART") {
                EXPECT_TRUE(departments.contains(value)) << value.toStdString();
                ++withDeptCondition;
            }
            if (f == "GROUP0") {
                EXPECT_TRUE(teams.contains(value)) << value.toStdString();
                EXPECT_EQ(previousField, "DEPART");
            }
            previousField = f;
        }
    }
    EXPECT_GE(seen.size(), 3);
    EXPECT_GE(plainSorted, 1);
    EXPECT_GE(groupedSummed, 1);
    EXPECT_GE(withDeptCondition, 1);
    EXPECT_EQ(count(c, "select * from zdb1 where parid=" + rootId), seen.size());
}

QUILL_INSTANTIATE_ENGINES(DemoLoadTest);
