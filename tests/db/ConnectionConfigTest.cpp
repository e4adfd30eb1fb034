#include "TestDatabase.h"

#include <QSqlDatabase>
#include <QSqlQuery>

using quill::ConnectionConfig;
using namespace quill::test;

TEST(ConnectionConfig, ConnInfoRoundTrip) {
    const ConnectionConfig c = ConnectionConfig::fromPgConnInfo(
        QStringLiteral("host=127.0.0.1 port=5433 dbname=suite user=hr schema=s1 junk"));
    EXPECT_EQ(c.engine, ConnectionConfig::Engine::Postgres);
    EXPECT_EQ(c.host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(c.port, 5433);
    EXPECT_EQ(c.database, QStringLiteral("suite"));
    EXPECT_EQ(c.user, QStringLiteral("hr"));
    EXPECT_EQ(c.schema, QStringLiteral("s1"));
    EXPECT_EQ(c.databaseKind, QStringLiteral("2"));
    EXPECT_EQ(ConnectionConfig::fromPgConnInfo(c.toPgConnInfo()).toPgConnInfo(), c.toPgConnInfo());
}

class TestDatabaseTest : public EngineTest {};

// Each test gets a database of its own: what one test creates, the next never sees.
TEST_P(TestDatabaseTest, FreshAndEmpty) {
    for (int round = 0; round < 2; ++round) {
        TestDatabase fresh(GetParam());
        ASSERT_TRUE(fresh.available()) << fresh.unavailableReason().toStdString();
        const ConnectionConfig& c = fresh.config();
        const QString name = QStringLiteral("fresh%1").arg(round);
        {
            QSqlDatabase d = QSqlDatabase::addDatabase(
                c.engine == ConnectionConfig::Engine::Sqlite ? "QSQLITE" : "QPSQL", name);
            if (c.engine == ConnectionConfig::Engine::Sqlite) {
                d.setDatabaseName(c.path);
            } else {
                d.setHostName(c.host);
                d.setPort(c.port);
                d.setDatabaseName(c.database);
                d.setUserName(c.user);
            }
            ASSERT_TRUE(d.open());
            QSqlQuery q(d);
            if (!c.schema.isEmpty()) {
                ASSERT_TRUE(q.exec("set search_path to " + c.schema));
            }
            // Fails if an earlier round's table were still visible.
            ASSERT_TRUE(q.exec("create table probe (a integer)"));
        }
        QSqlDatabase::removeDatabase(name);
    }
}

QUILL_INSTANTIATE_ENGINES(TestDatabaseTest);
