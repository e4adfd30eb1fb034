#pragma once

#include <QString>

#include <memory>

namespace quill {

class Connection;
class RecordsetData;

// The per-engine half of a recordset: reads a command's records into
// RecordsetData and writes single records back by their row identity,
// checking the row version they were read with (optimistic locking).
// Every command text runs as exactly one statement: a text with a second one
// is refused with oneStatementOnly() before any of it runs.
class RecordEngine {
public:
    static std::unique_ptr<RecordEngine> create(Connection& connection);
    virtual ~RecordEngine() = default;

    // Runs sql and fills data's fields and records. With an identity the
    // command's first columns are identityExpression() and are no fields; the
    // result's columns of other tables (or computed ones) get no column name.
    virtual void fetch(const QString& sql, bool withIdentity, RecordsetData& data) = 0;
    // Runs a command that returns no records (or whose records are not needed).
    virtual void execute(const QString& sql) = 0;
    // Whether the connection's transaction has failed and can only be rolled back.
    virtual bool transactionFailed() const { return false; }
    // The expressions added to a single-table select to read the identity
    // (and, where the table keeps one, the row version).
    virtual QString identityExpression() const = 0;
    // Writes the pending values of data's current record; false when the
    // record was changed or removed meanwhile (nothing is written then).
    virtual bool updateRow(RecordsetData& data, int row) = 0;
    virtual bool deleteRow(RecordsetData& data, int row) = 0;
    // Inserts the pending new record and appends it, as stored, to data.
    virtual void insertRow(RecordsetData& data) = 0;

protected:
    static QString oneStatementOnly() { return QStringLiteral("一次只能执行一条 SQL 语句"); }
};

} // namespace quill
