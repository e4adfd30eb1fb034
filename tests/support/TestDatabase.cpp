#include "TestDatabase.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <atomic>

namespace quill::test {

std::vector<Engine> engines() {
    return {Engine::Sqlite, Engine::Pg};
}

std::string engineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::Sqlite ? "sqlite" : "pg";
}

namespace {

// Runs one statement on the PostgreSQL server outside any test schema.
bool adminExec(const ConnectionConfig& server, const QString& sql, QString* error) {
    static std::atomic<int> serial{0};
    const QString name = QStringLiteral("quill_test_admin_%1").arg(serial++);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(server.host);
        db.setPort(server.port);
        db.setDatabaseName(server.database);
        db.setUserName(server.user);
        db.setPassword(server.password);
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(sql);
            if (!ok)
                *error = q.lastError().text();
        } else {
            *error = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

TestDatabase::TestDatabase(Engine engine) {
    if (engine == Engine::Sqlite) {
        m_config.engine = ConnectionConfig::Engine::Sqlite;
        m_config.path = m_dir.filePath(QStringLiteral("quill.db"));
        m_config.databaseKind = QStringLiteral("1");
        return;
    }
    const QString connInfo = qEnvironmentVariable("QUILL_TEST_PG");
    if (connInfo.isEmpty()) {
        m_available = false;
        m_reason = QStringLiteral("QUILL_TEST_PG is not set");
        return;
    }
    m_config = ConnectionConfig::fromPgConnInfo(connInfo);
    m_config.schema = QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
    QString error;
    if (!adminExec(m_config, QStringLiteral("create schema ") + m_config.schema, &error)) {
        m_available = false;
        m_reason = QStringLiteral("cannot create a test schema: ") + error;
    }
}

TestDatabase::~TestDatabase() {
    if (m_config.engine == ConnectionConfig::Engine::Postgres && m_available) {
        QString error;
        adminExec(m_config, QStringLiteral("drop schema ") + m_config.schema + " cascade", &error);
    }
}

void EngineTest::SetUp() {
    m_db = std::make_unique<TestDatabase>(GetParam());
    if (m_db->available())
        return;
    if (qEnvironmentVariable("CI") == QLatin1String("true"))
        FAIL() << m_db->unavailableReason().toStdString();
    GTEST_SKIP() << m_db->unavailableReason().toStdString();
}

} // namespace quill::test
