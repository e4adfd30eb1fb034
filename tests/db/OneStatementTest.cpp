#include "DbTestHelpers.h"
#include "TestDatabase.h"

#include "platform/db/DbError.h"

using namespace quill;
using namespace quill::test;

class OneStatementTest : public EngineTest {};

// A command text runs as exactly one statement: a second one (a value that
// smuggled "; drop table …" into the text) is refused before anything of the
// text runs, in both dialects and through both ways a text reaches the
// database.
TEST_P(OneStatementTest, SecondStatementIsRefusedAndNothingRuns) {
    Connection setup(db().config());
    setup.Execute("create table victim (n integer)");
    setup.Execute("insert into victim values (1)");
    const char* hostile[] = {
        "select 1; drop table victim",
        "select * from victim; drop table victim",
        "select n from victim where n = 1;drop table victim;",
        "insert into victim values (5); drop table victim",
        "delete from victim; insert into victim values (7)",
        "select 'a;b' as t; delete from victim",
        "select 1 -- note\n; delete from victim",
        "select 1; /* a comment */ delete from victim",
    };
    for (const char* kind : {"1", "2"}) {
        ConnectionConfig config = db().config();
        config.databaseKind = QString::fromLatin1(kind);
        Connection c(config);
        for (const char* sql : hostile) {
            try {
                c.Execute(QString::fromUtf8(sql));
                ADD_FAILURE() << "Execute ran " << sql;
            } catch (const DbError& e) {
                EXPECT_EQ(e.message(), QStringLiteral("一次只能执行一条 SQL 语句")) << sql;
            }
            Recordset rs;
            try {
                rs.Open(QString::fromUtf8(sql), c);
                ADD_FAILURE() << "Open ran " << sql;
            } catch (const DbError& e) {
                EXPECT_EQ(e.message(), QStringLiteral("一次只能执行一条 SQL 语句")) << sql;
            }
            EXPECT_EQ(rs.State(), 0);
            // The table is still there, with exactly the one record it had.
            EXPECT_EQ(scalar(setup, "select count(*) from victim").toInt(), 1)
                << kind << " " << sql;
            EXPECT_EQ(scalar(setup, "select sum(n) from victim").toInt(), 1) << kind << " " << sql;
        }
        // A trailing semicolon, blanks and comments are one statement still.
        for (const char* sql : {"select n from victim;", "select n from victim ;  -- done\n",
                                "select n from victim; /* end */ ;", "select n from victim\n\t"}) {
            Recordset rs;
            rs.Open(QString::fromUtf8(sql), c);
            EXPECT_EQ(rs.Value(0).toInt(), 1) << sql;
            EXPECT_TRUE(rs.isUpdatable()) << sql;
        }
        c.Execute("update victim set n = n + 1; -- one more\n");
        c.Execute("update victim set n = n - 1;");
        EXPECT_EQ(scalar(setup, "select sum(n) from victim").toInt(), 1);
    }
}

QUILL_INSTANTIATE_ENGINES(OneStatementTest);
