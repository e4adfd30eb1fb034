#include "DbTestHelpers.h"
#include "TestDatabase.h"

#include "platform/db/SuiteSupport.h"

using namespace quill;
using namespace quill::test;

class SuiteSupportTest : public EngineTest {};

TEST_P(SuiteSupportTest, SysobjectsAndBooleanComparisons) {
    ConnectionConfig config = db().config();
    config.databaseKind = QStringLiteral("2");
    Connection c(config);
    c.Execute("create table YGZL (name varchar(10), proif boolean)");
    c.Execute("create table zdb1 (proid integer)");
    c.Execute("insert into YGZL values ('a', true)");
    c.Execute("insert into YGZL values ('b', false)");
    c.Execute("insert into YGZL values ('c', false)");
    installSuiteSupport(c);
    installSuiteSupport(c); // again: nothing changes, nothing fails

    for (const char* table : {"YGZL", "ygzl", "zdb1", "ZDB1"})
        EXPECT_EQ(
            scalar(c, QStringLiteral("select count(*) from sysobjects where name='%1'").arg(table))
                .toInt(),
            GetParam() == Engine::Pg && QString(table) != QString(table).toLower() &&
                    QString(table) != QString(table).toUpper()
                ? 0
                : 1)
            << table;
    EXPECT_EQ(scalar(c, "select count(*) from sysobjects where name='nope'").toInt(), 0);
    Recordset rs;
    rs.Open("select * from sysobjects where name='YGZL'", c);
    EXPECT_FALSE(rs.Eof());
    rs.Close();

    EXPECT_EQ(scalar(c, "select count(*) from YGZL where proif=1").toInt(), 1);
    EXPECT_EQ(scalar(c, "select count(*) from YGZL where proif=0").toInt(), 2);
    EXPECT_EQ(scalar(c, "select count(*) from YGZL where proif<>0").toInt(), 1);
    EXPECT_EQ(scalar(c, "select count(*) from YGZL where 0=proif").toInt(), 2);
    EXPECT_EQ(scalar(c, "select count(*) from YGZL where proif=true").toInt(), 1);
    // A recordset over the table stays writable and compares its flag exactly.
    rs.Open("select * from YGZL where proif=0 order by name", c);
    EXPECT_TRUE(rs.isUpdatable());
    rs.SetValue("proif", true);
    rs.Update();
    EXPECT_EQ(scalar(c, "select count(*) from YGZL where proif=1").toInt(), 2);
}

QUILL_INSTANTIATE_ENGINES(SuiteSupportTest);
