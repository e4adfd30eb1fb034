#pragma once

#include "platform/db/RecordEngine.h"

#include <QByteArray>
#include <QList>
#include <QVariant>

#include <vector>

struct pg_conn;
struct pg_result;

namespace quill {

// Records on PostgreSQL through the connection's own libpq handle; the row
// identity is the tuple's ctid, renewed by every write.
class PgEngine : public RecordEngine {
public:
    explicit PgEngine(Connection& connection);

    void fetch(const QString& sql, bool withIdentity, RecordsetData& data) override;
    void execute(const QString& sql) override;
    bool transactionFailed() const override;
    QString identityExpression() const override { return QStringLiteral("ctid"); }
    bool updateRow(RecordsetData& data, int row) override;
    bool deleteRow(RecordsetData& data, int row) override;
    void insertRow(RecordsetData& data) override;

    static pg_conn* handleOf(const Connection& connection);

private:
    // Runs a write statement; reads its returned row into row of data (-1:
    // append a new record). False when it touched no row.
    bool runWrite(const QString& sql, const QList<QVariant>& params, RecordsetData& data, int row);
    pg_result* exec(const QString& sql, const QList<QVariant>& params);
    [[noreturn]] void fail(pg_result* result) const;
    // The table's column names by number; its oid in *oid.
    std::vector<QString> tableColumns(const QString& table, unsigned* oid);

    pg_conn* m_conn = nullptr;
};

} // namespace quill
