#pragma once

#include "platform/db/RecordEngine.h"

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace quill {

// Records on SQLite through the connection's own sqlite3 handle (reads
// outside a transaction through a reader connection of the recordset's own,
// in a snapshot): values are read by each column's declared type, each
// record's version is a hash of its values as stored, and the write
// statements are prepared once per recordset.
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
    // A write statement with the fields whose values it sets, prepared once
    // for each kind of write and set of changed fields.
    struct Prepared {
        sqlite3_stmt* statement = nullptr;
        sqlite3_stmt* reread = nullptr; // updates: the row as written
        std::vector<int> setFields;
    };
    using Key = std::pair<char, std::vector<std::uint8_t>>;

    Prepared& prepared(char kind, const RecordsetData& data);
    [[noreturn]] void fail() const;
    // Prepares the one statement sql holds (null for none); refuses a second.
    sqlite3_stmt* prepareOne(const QString& sql);
    // Reads the first block in a snapshot of a reader connection and leaves
    // the cursor over the rest; false, with nothing read, where that cannot be.
    bool fetchInSnapshot(const QString& sql, bool withIdentity, RecordsetData& data);
    sqlite3_stmt* preparePersistent(const QString& sql);
    // The column that is the table's rowid under another name, if any.
    const QString& rowidAlias(const RecordsetData& data);

    Connection& m_connection;
    sqlite3* m_db = nullptr;
    bool m_rowidAliasKnown = false;
    QString m_rowidAlias;
    std::map<Key, Prepared> m_statements;
    Prepared* m_last = nullptr;
    Key m_lastKey;
};

} // namespace quill
