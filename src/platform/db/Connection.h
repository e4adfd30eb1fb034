#pragma once

#include "platform/db/ConnectionConfig.h"

#include <QSqlDatabase>
#include <QString>

#include <memory>
#include <vector>

namespace quill {

// The suite's database connection: a SQLite file or a PostgreSQL server,
// with the dialect (DatabaseKind) its SQL texts are written in. Opening
// failures and failing commands raise DbError with the database's message.
class RecordEngine;
class Recordset;
class SnapshotReader;

class Connection {
public:
    explicit Connection(const ConnectionConfig& config);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    ConnectionConfig::Engine engine() const { return m_config.engine; }
    const ConnectionConfig& config() const { return m_config; }
    const QString& databaseKind() const { return m_config.databaseKind; }
    // The quote dialect ('2004-02-01', x is null, proif=0) when the kind's
    // leading number is above 1; otherwise the hash dialect (#2004-02-01#).
    bool quoteDialect() const { return m_quoteDialect; }
    // The underlying Qt connection, for bulk loaders and benchmarks only.
    QSqlDatabase database() const;

    // Runs one statement, in this connection's dialect. A text holding a
    // second statement (a trailing ";", blanks and comments aside) is refused
    // with DbError and nothing of it runs.
    void Execute(const QString& sql);
    // The statement as the engine runs it: in the hash dialect its forms are
    // rewritten (into SQL that PostgreSQL runs as well), in the quote dialect
    // it is unchanged.
    QString translate(const QString& sql) const;

    // Nested calls are savepoints inside the outer transaction. On
    // PostgreSQL a command that failed inside the transaction spoils it:
    // CommitTrans then rolls it back and raises, never reporting success.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    int transactionDepth() const { return m_transactionDepth; }

    // An idle reader connection of a recordset's own (null when none is
    // idle), and one handed back when its recordset has read all it needs.
    std::unique_ptr<SnapshotReader> takeReader();
    void keepReader(std::unique_ptr<SnapshotReader> reader);

private:
    friend class Recordset; // open recordsets are closed before the connection goes

    ConnectionConfig m_config;
    std::vector<Recordset*> m_recordsets;
    std::unique_ptr<RecordEngine> m_engine;
    std::vector<std::unique_ptr<SnapshotReader>> m_idleReaders;
    QString m_name;
    bool m_quoteDialect = false;
    int m_transactionDepth = 0;
};

} // namespace quill
