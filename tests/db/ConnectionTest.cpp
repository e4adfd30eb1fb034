#include "DbTestHelpers.h"
#include "TestDatabase.h"

#include "platform/db/DbError.h"
#include "platform/db/Transaction.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QStandardPaths>

#include <sqlite3.h>

#include <atomic>
#include <cstdio>
#include <thread>

using namespace quill;
using namespace quill::test;

class ConnectionTest : public EngineTest {
protected:
    bool sqlite() const { return GetParam() == Engine::Sqlite; }
};

TEST_P(ConnectionTest, KnowsItsEngineAndDialect) {
    ConnectionConfig config = db().config();
    config.databaseKind = QStringLiteral("2abc");
    Connection quote(config);
    EXPECT_TRUE(quote.quoteDialect());
    EXPECT_EQ(quote.databaseKind(), QStringLiteral("2abc"));
    for (const char* kind : {"1", "0", "", "SQL"}) {
        config.databaseKind = QString::fromUtf8(kind);
        EXPECT_FALSE(Connection(config).quoteDialect()) << kind;
    }
    EXPECT_EQ(quote.engine(), db().config().engine);
    EXPECT_TRUE(quote.database().isOpen());
    // The quote dialect runs on both engines.
    quote.Execute("create table t (d date, n varchar(5))");
    quote.Execute("insert into t values ('2004-02-01', null)");
    EXPECT_EQ(scalar(quote, "select count(*) from t where d >= '2004-01-31' and n is null").toInt(),
              1);
    {
        config.databaseKind = QStringLiteral("1");
        Connection hash(config);
        EXPECT_EQ(scalar(hash, "select count(*) from t where d = #2004-2-1# and isnull(n)").toInt(),
                  1);
        EXPECT_EQ(scalar(hash, "select 'a #2004-2-1# isnull(x) -- ''q'").toString(),
                  QStringLiteral("a #2004-2-1# isnull(x) -- 'q"));
    }
}

TEST_P(ConnectionTest, TransactionsCommitRollBackAndNest) {
    Connection c(db().config());
    c.Execute("create table t (n integer)");
    {
        Transaction t(c);
        c.Execute("insert into t values (1)");
    } // not committed
    EXPECT_EQ(scalar(c, "select count(*) from t").toInt(), 0);
    {
        Transaction t(c);
        c.Execute("insert into t values (2)");
        {
            Transaction inner(c);
            c.Execute("insert into t values (3)");
        }
        t.commit();
    }
    EXPECT_EQ(scalar(c, "select sum(n) from t").toInt(), 2);
    c.BeginTrans();
    c.Execute("insert into t values (4)");
    c.RollbackTrans();
    c.BeginTrans();
    Recordset rs;
    rs.Open("select * from t", c);
    rs.SetValue(0, 5);
    rs.Update();
    c.CommitTrans();
    EXPECT_EQ(scalar(c, "select sum(n) from t").toInt(), 5);
    EXPECT_THROW(c.CommitTrans(), DbError);
    EXPECT_THROW(c.RollbackTrans(), DbError);
    // A failing open inside a transaction leaves the transaction usable.
    Transaction t(c);
    rs.Close();
    EXPECT_THROW(rs.Open("select * from missing", c), DbError);
    c.Execute("insert into t values (6)");
    t.commit();
    EXPECT_EQ(scalar(c, "select sum(n) from t").toInt(), 11);

    // A command that failed inside the transaction: the commit is no success.
    c.BeginTrans();
    c.Execute("insert into t values (100)");
    EXPECT_THROW(c.Execute("insert into t values ('x', 'y')"), DbError);
    if (sqlite()) {
        c.CommitTrans();
        EXPECT_EQ(scalar(c, "select sum(n) from t").toInt(), 111);
    } else {
        EXPECT_THROW(c.CommitTrans(), DbError);
        EXPECT_EQ(c.transactionDepth(), 0);
        EXPECT_EQ(scalar(c, "select sum(n) from t").toInt(), 11);
    }
}

TEST_P(ConnectionTest, UnreachableDatabaseRaises) {
    ConnectionConfig config = db().config();
    if (sqlite())
        config.path = db().folder() + "/no/such/folder/x.db";
    else
        config.port = 1; // nothing listens there
    try {
        Connection c(config);
        FAIL();
    } catch (const DbError& e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
}

// A server that goes away under an open connection: clear errors, no crash.
TEST_P(ConnectionTest, LostServerConnectionRaises) {
    if (sqlite())
        GTEST_SKIP() << "SQLite has no server";
    Connection victim(db().config());
    victim.Execute("create table t (n integer)");
    victim.Execute("insert into t values (1)");
    Recordset rs;
    rs.Open("select * from t", victim);
    {
        Connection admin(db().config());
        QSqlQuery pid(victim.database()); // the session of the connection itself
        ASSERT_TRUE(pid.exec("select pg_backend_pid()") && pid.next());
        admin.Execute("select pg_terminate_backend(" + pid.value(0).toString() + ")");
    }
    rs.SetValue(0, 2);
    try {
        rs.Update();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("连接已断开"))) << e.what();
    }
    EXPECT_EQ(rs.Value(0).toInt(), 1);
    EXPECT_THROW(rs.Delete(), DbError);
    Recordset again;
    EXPECT_THROW(again.Open("select * from t", victim), DbError);
    EXPECT_THROW(victim.Execute("insert into t values (3)"), DbError);
    EXPECT_THROW(victim.BeginTrans(), DbError);
}

TEST_P(ConnectionTest, SqliteFileIsSharedDurablyAndWritersWait) {
    if (!sqlite())
        GTEST_SKIP() << "SQLite only";
    Connection c(db().config());
    EXPECT_EQ(scalar(c, "PRAGMA journal_mode").toString(), "wal");
    EXPECT_EQ(scalar(c, "PRAGMA synchronous").toInt(), 2); // FULL
    c.Execute("create table t (n integer)");

    // A second connection (its own thread, as another process would be)
    // holds the write lock for a while; this one waits instead of failing.
    std::atomic<bool> locked{false};
    std::thread holder([&] {
        Connection other(db().config());
        other.BeginTrans();
        other.Execute("insert into t values (1)");
        locked = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(800));
        other.CommitTrans();
    });
    while (!locked)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    QElapsedTimer timer;
    timer.start();
    EXPECT_NO_THROW({
        Transaction t(c);
        c.Execute("insert into t values (2)");
        t.commit();
    });
    EXPECT_GT(timer.elapsed(), 300);
    holder.join();
    EXPECT_EQ(scalar(c, "select sum(n) from t").toInt(), 3);

    // A recordset write waits the same way.
    Recordset rs;
    rs.Open("select * from t where n = 2", c);
    locked = false;
    std::thread again([&] {
        Connection other(db().config());
        other.BeginTrans();
        locked = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        other.CommitTrans();
    });
    while (!locked)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    rs.SetValue(0, 20);
    EXPECT_NO_THROW(rs.Update());
    again.join();
    EXPECT_EQ(scalar(c, "select sum(n) from t").toInt(), 21);
}

// Another process (the sqlite3 shell) holds the write lock for a while: this
// connection's write waits for it instead of failing with "database is locked".
TEST_P(ConnectionTest, SqliteWriterWaitsForAnotherProcess) {
    if (!sqlite())
        GTEST_SKIP() << "SQLite only";
    if (QStandardPaths::findExecutable("sqlite3").isEmpty())
        GTEST_SKIP() << "no sqlite3 shell";
    Connection c(db().config());
    c.Execute("create table t (n integer)");
    const QByteArray command = "sqlite3 '" + db().config().path.toUtf8() + "'";
    FILE* shell = popen(command.constData(), "w");
    ASSERT_NE(shell, nullptr);
    std::fputs("BEGIN IMMEDIATE; insert into t values (1);\n", shell);
    std::fflush(shell);
    // Wait until the shell holds the lock.
    const auto lockHeld = [&] {
        sqlite3* probe = nullptr;
        sqlite3_open(db().config().path.toUtf8().constData(), &probe);
        const bool held = sqlite3_exec(probe, "BEGIN IMMEDIATE; ROLLBACK", nullptr, nullptr,
                                       nullptr) == SQLITE_BUSY;
        sqlite3_close(probe);
        return held;
    };
    for (int i = 0; i < 500 && !lockHeld(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(lockHeld());
    std::thread release([shell] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        std::fputs("COMMIT;\n", shell);
        std::fflush(shell);
    });
    QElapsedTimer timer;
    timer.start();
    EXPECT_NO_THROW(c.Execute("insert into t values (2)"));
    EXPECT_GT(timer.elapsed(), 200);
    release.join();
    pclose(shell);
    EXPECT_EQ(scalar(c, "select sum(n) from t").toInt(), 3);
}

QUILL_INSTANTIATE_ENGINES(ConnectionTest);
