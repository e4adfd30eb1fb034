// The composed select, from, group and order parts: their exact texts, and
// the grouped queries run for real on each engine in both dialects.

#include "MdlxWorkspace.h"
#include "TestDatabase.h"

#include "foundation/Mdlx.h"
#include "foundation/QueryComposer.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "suite/SuiteLib.h"

#include <gtest/gtest.h>

namespace quill::test {
namespace {

QStringList list(const char* items) {
    return QString::fromUtf8(items).split(u',', Qt::SkipEmptyParts);
}

struct Shape {
    const char* name;
    const char* display;
    const char* sort;
    const char* group;
    const char* select;
    const char* from;
    const char* groupPart;
    const char* order;
};

class QueryComposerTest : public EngineTest {};

TEST_P(QueryComposerTest, PartsInThePlainAndTheGroupedShape) {
    MdlxWorkspace workspace(db().config(), db().config().databaseKind);
    const Shape shapes[] = {
        {"plain with sort items", "memberid,name", "memberid", "", "select memberid,name ",
         " from CXB ", "", " order by memberid"},
        {"plain without sort items", "memberid,name,DEPART", "", "", "select memberid,name,DEPART ",
         " from CXB ", "", ""},
        {"grouped: a number summed, a text counted, the sort list ignored", "DEPART,AMOUNT,NOTE",
         "memberid,NOTE", "DEPART",
         "select DEPART, sum(AMOUNT) as sumAMOUNT, count(NOTE) as sumNOTE ", "from CXB ",
         " group by DEPART", " order by DEPART"},
        {"grouped: a whole number summed, a date counted", "DEPART,DAYS,BIRTH", "", "DEPART",
         "select DEPART, sum(DAYS) as sumDAYS, count(BIRTH) as sumBIRTH ", "from CXB ",
         " group by DEPART", " order by DEPART"},
        {"grouped: group items stay plain wherever they are shown", "AMOUNT,DEPART,NOTE,GROUP0", "",
         "DEPART,GROUP0", "select sum(AMOUNT) as sumAMOUNT,DEPART, count(NOTE) as sumNOTE,GROUP0 ",
         "from CXB ", " group by DEPART,GROUP0", " order by DEPART,GROUP0"},
        {"items the table lacks are left out", "GHOST,memberid,LOST,name", "GHOST,name", "",
         "select memberid,name ", " from CXB ", "", " order by name"},
        {"group items the table lacks altogether: not grouped", "memberid,AMOUNT", "memberid",
         "GHOST", "select memberid,AMOUNT ", " from CXB ", "", " order by memberid"},
    };
    SuiteLib& lib = SuiteLib::instance();
    lib.TableName = "CXB";
    for (const Shape& s : shapes) {
        SCOPED_TRACE(s.name);
        lib.SqlWhere = "where zhtime='2024年01月'";
        QueryComposer::compose(list(s.display), list(s.sort), list(s.group));
        EXPECT_EQ(lib.SqlSelect, QString::fromUtf8(s.select));
        EXPECT_EQ(lib.SqlFrom, QString::fromUtf8(s.from));
        EXPECT_EQ(lib.SqlGroup, QString::fromUtf8(s.groupPart));
        EXPECT_EQ(lib.SqlOrder, QString::fromUtf8(s.order));
        EXPECT_EQ(lib.QuerySql,
                  lib.SqlSelect + lib.SqlFrom + lib.SqlWhere + lib.SqlGroup + lib.SqlOrder);
    }
}

// Whatever the order of the display list, a grouped query runs and gives the
// rows of the same query written by hand: numbers summed, other items counted.
void runGrouped(const ConnectionConfig& config, const QString& databaseKind) {
    MdlxWorkspace workspace(config, databaseKind);
    SuiteLib& lib = SuiteLib::instance();
    Mdlx& m = Mdlx::instance();
    lib.TableName = "CXB";
    lib.RangeKind = "time2";
    m.PeriodFrom = "2024年01月";
    m.PeriodTo = "2024年02月";
    m.BuildSelection();
    const QString where = " where zhtime>='2024年01月' and zhtime<='2024年02月' ";
    struct Case {
        const char* display;
        const char* group;
        QString sql;
    };
    const Case cases[] = {
        {"DEPART,AMOUNT,DAYS,NOTE,BIRTH", "DEPART",
         "select DEPART, sum(AMOUNT), sum(DAYS), count(NOTE), count(BIRTH) from CXB" + where +
             "group by DEPART order by DEPART"},
        {"name,AMOUNT,GROUP0,DEPART", "DEPART,GROUP0",
         "select count(name), sum(AMOUNT), GROUP0, DEPART from CXB" + where +
             "group by DEPART,GROUP0 order by DEPART,GROUP0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        QueryComposer::compose(list(c.display), {}, list(c.group));
        Recordset records;
        ASSERT_NO_THROW(records.Open(lib.QuerySql, workspace.connection()))
            << lib.QuerySql.toStdString();
        const QStringList want = workspace.rows(c.sql);
        EXPECT_GE(want.size(), 2);
        EXPECT_EQ(MdlxWorkspace::rowsOf(records), want) << lib.QuerySql.toStdString();
    }
}

TEST_P(QueryComposerTest, GroupedQueriesRunOnTheEngine) {
    inEachDialect(db(), GetParam(), runGrouped);
}

TEST_P(QueryComposerTest, SumItemsForTheTotalsRow) {
    MdlxWorkspace workspace(db().config(), db().config().databaseKind);
    Mdlx& m = Mdlx::instance();
    QStringList many;
    for (int i = 0; i < 101; ++i)
        many << QStringLiteral("F%1").arg(i);
    QueryComposer::takeSums(many);
    EXPECT_EQ(m.SumCount, 100);
    EXPECT_EQ(m.SumFields[99], "F99");
    QueryComposer::takeSums(list("AMOUNT,DAYS"));
    EXPECT_EQ(m.SumCount, 2);
    EXPECT_EQ(m.SumFields[1], "DAYS");
    EXPECT_TRUE(m.SumFields[2].isEmpty()) << "sum items of an earlier query are gone";
}

} // namespace

QUILL_INSTANTIATE_ENGINES(QueryComposerTest);

} // namespace quill::test
