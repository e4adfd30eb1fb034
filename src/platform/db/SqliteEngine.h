#pragma once

#include "platform/db/RecordEngine.h"

#include <QByteArray>
#include <QHash>

struct sqlite3;
struct sqlite3_stmt;

namespace quill {

// Records on SQLite through the connection's own sqlite3 handle: values are
// read by each column's declared type, and the write statements are
// prepared once per recordset.
class SqliteEngine : public RecordEngine {
public:
    explicit SqliteEngine(Connection& connection);
    ~SqliteEngine() override;

    void fetch(const QString& sql, bool withIdentity, RecordsetData& data) override;
    void execute(const QString& sql) override;
    QString identityExpression() const override { return QStringLiteral("rowid"); }
    bool updateRow(RecordsetData& data, int row) override;
    bool deleteRow(RecordsetData& data, int row) override;
    void insertRow(RecordsetData& data) override;

    // The sqlite3 handle under a Qt connection; null when it has none.
    static sqlite3* handleOf(const Connection& connection);

private:
    sqlite3_stmt* prepared(const QByteArray& key, const QString& sql);
    // Steps a bound write statement; reads its returned row into row of data
    // (-1: append a new record). False when it returned no row.
    bool runWrite(sqlite3_stmt* statement, RecordsetData& data, int row);
    [[noreturn]] void fail() const;

    sqlite3* m_db = nullptr;
    QHash<QByteArray, sqlite3_stmt*> m_statements;
};

} // namespace quill
