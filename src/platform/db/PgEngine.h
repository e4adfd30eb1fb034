#pragma once

#include "platform/db/RecordEngine.h"

#include <QByteArray>
#include <QList>
#include <QVariant>

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

struct pg_conn;
struct pg_result;

namespace quill {

struct PgReadShape;

// Records on PostgreSQL through the connection's own libpq handle (reads
// outside a transaction through a reader connection of the recordset's own,
// in a snapshot); the row identity is the tuple's ctid and its version the
// tuple's xmin, both renewed by every write.
class PgEngine : public RecordEngine {
public:
    explicit PgEngine(Connection& connection);
    ~PgEngine() override;

    void fetch(const QString& sql, bool withIdentity, RecordsetData& data) override;
    void execute(const QString& sql) override;
    bool transactionFailed() const override;
    QString identityExpression() const override { return QStringLiteral("ctid,xmin"); }
    bool updateRow(RecordsetData& data, int row) override;
    bool deleteRow(RecordsetData& data, int row) override;
    void insertRow(RecordsetData& data) override;

    static pg_conn* handleOf(const Connection& connection);

private:
    // A write statement prepared on the server once for each kind of write
    // and set of changed fields, with the fields whose values it sets.
    struct Prepared {
        QByteArray name;
        std::vector<int> setFields;
    };
    using Key = std::pair<char, std::vector<std::uint8_t>>;

    Prepared& prepared(char kind, const RecordsetData& data);
    // Runs a prepared write; reads the returned identity and fields into row
    // of data (-1: append a new record). False when it touched no row.
    bool runWrite(const Prepared& statement, const QList<QVariant>& params, RecordsetData& data,
                  int row, const std::vector<int>& fields);
    pg_result* exec(const QString& sql, const QList<QVariant>& params,
                    const QByteArray& preparedName = QByteArray());
    [[noreturn]] void fail(pg_result* result) const;
    // Reads the first block through a cursor in a snapshot of a reader
    // connection and leaves the cursor over the rest; false, with nothing
    // read, where that cannot be.
    bool fetchInSnapshot(const QString& sql, PgReadShape& shape, RecordsetData& data);
    // The table's column names by number; its oid in *oid.
    std::vector<QString> tableColumns(const QString& table, unsigned* oid);

    Connection& m_connection;
    pg_conn* m_conn = nullptr;
    std::map<Key, Prepared> m_statements;
    Prepared* m_last = nullptr;
    Key m_lastKey;
};

} // namespace quill
