#include "Connection.h"

#include "platform/db/DatabaseKind.h"
#include "platform/db/DbError.h"
#include "platform/db/HashDialect.h"
#include "platform/db/RecordEngine.h"
#include "platform/db/Recordset.h"
#include "platform/db/SnapshotReader.h"

#include <QSqlError>

#include <atomic>

namespace quill {

namespace {

QString errorText(const QSqlError& error) {
    const QString db = error.databaseText().trimmed();
    return db.isEmpty() ? error.text().trimmed() : db;
}

QString quotedIdentifier(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

// Idle readers kept: enough for a recordset opened while another is open.
constexpr size_t KeptReaders = 2;

} // namespace

Connection::Connection(const ConnectionConfig& config)
    : m_config(config)
    , m_quoteDialect(isQuoteDialectKind(config.databaseKind)) {
    static std::atomic<int> serial{0};
    m_name = QStringLiteral("quill_db_%1").arg(serial++);
    const bool sqlite = config.engine == ConnectionConfig::Engine::Sqlite;
    QSqlDatabase db = QSqlDatabase::addDatabase(
        sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), m_name);
    if (sqlite) {
        db.setDatabaseName(config.path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    } else {
        db.setHostName(config.host);
        db.setPort(config.port);
        db.setDatabaseName(config.database);
        db.setUserName(config.user);
        db.setPassword(config.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    }
    if (!db.open()) {
        const QString message = errorText(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw DbError(QStringLiteral("无法连接数据库：") + message);
    }
    try {
        m_engine = RecordEngine::create(*this);
        if (sqlite) {
            m_engine->execute(QStringLiteral("PRAGMA busy_timeout=10000"));
            m_engine->execute(QStringLiteral("PRAGMA journal_mode=WAL"));
            m_engine->execute(QStringLiteral("PRAGMA synchronous=FULL"));
        } else if (!config.schema.isEmpty()) {
            m_engine->execute(QStringLiteral("set search_path to ") +
                              quotedIdentifier(config.schema));
        }
        if (!sqlite)
            m_engine->execute(QStringLiteral("set datestyle to ISO"));
    } catch (...) {
        m_engine.reset();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw;
    }
}

Connection::~Connection() {
    while (!m_recordsets.empty())
        m_recordsets.back()->Close();
    if (m_transactionDepth > 0) {
        try {
            m_engine->execute(QStringLiteral("ROLLBACK"));
        } catch (const DbError&) {
            // A lost connection has rolled the work back already.
        }
    }
    m_idleReaders.clear();
    m_engine.reset();
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase Connection::database() const {
    return QSqlDatabase::database(m_name, false);
}

QString Connection::translate(const QString& sql) const {
    return m_quoteDialect ? sql : HashDialect::translate(sql);
}

void Connection::Execute(const QString& sql) {
    m_engine->execute(translate(sql));
}

void Connection::BeginTrans() {
    if (m_transactionDepth == 0) {
        // IMMEDIATE takes the write lock up front, so two writers on one
        // SQLite file wait for each other instead of deadlocking on upgrade.
        m_engine->execute(engine() == ConnectionConfig::Engine::Sqlite
                              ? QStringLiteral("BEGIN IMMEDIATE")
                              : QStringLiteral("BEGIN"));
    } else {
        m_engine->execute(QStringLiteral("SAVEPOINT quill_%1").arg(m_transactionDepth));
    }
    ++m_transactionDepth;
}

void Connection::CommitTrans() {
    if (m_transactionDepth == 0)
        throw DbError(QStringLiteral("没有可提交的事务"));
    if (m_transactionDepth == 1 && m_engine->transactionFailed()) {
        m_transactionDepth = 0;
        m_engine->execute(QStringLiteral("ROLLBACK"));
        throw DbError(QStringLiteral("事务中有命令执行失败，全部修改已撤销"));
    }
    if (m_transactionDepth == 1)
        m_engine->execute(QStringLiteral("COMMIT"));
    else
        m_engine->execute(QStringLiteral("RELEASE SAVEPOINT quill_%1").arg(m_transactionDepth - 1));
    --m_transactionDepth;
}

void Connection::RollbackTrans() {
    if (m_transactionDepth == 0)
        throw DbError(QStringLiteral("没有可回滚的事务"));
    --m_transactionDepth;
    if (m_transactionDepth == 0) {
        m_engine->execute(QStringLiteral("ROLLBACK"));
    } else {
        m_engine->execute(QStringLiteral("ROLLBACK TO SAVEPOINT quill_%1").arg(m_transactionDepth));
        m_engine->execute(QStringLiteral("RELEASE SAVEPOINT quill_%1").arg(m_transactionDepth));
    }
}

std::unique_ptr<SnapshotReader> Connection::takeReader() {
    if (m_idleReaders.empty())
        return nullptr;
    std::unique_ptr<SnapshotReader> reader = std::move(m_idleReaders.back());
    m_idleReaders.pop_back();
    return reader;
}

void Connection::keepReader(std::unique_ptr<SnapshotReader> reader) {
    if (reader && reader->reusable() && m_idleReaders.size() < KeptReaders)
        m_idleReaders.push_back(std::move(reader));
}

} // namespace quill
