#pragma once

#include "demo/DemoTable.h"
#include "platform/db/ConnectionConfig.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <optional>

namespace quill {

// Inserts many rows into one table fast: prepared statements that each insert
// a batch of rows, values converted to what the engine stores (ISO text for
// dates and times and 0/1 for yes/no on SQLite; exact decimal text on
// PostgreSQL). The caller runs it inside a transaction.
class DemoBulkInsert {
public:
    DemoBulkInsert(const QSqlDatabase& database, const DemoTable& table,
                   ConnectionConfig::Engine engine);

    void add(const QVariantList& row);
    // Writes the rows still buffered; raises DbError on failure.
    void finish();
    qint64 count() const { return m_count; }

private:
    QString statement(int rows) const;
    void flush(QSqlQuery& query, int rows);
    QVariant convert(const QVariant& value, const DemoColumn& column) const;

    QSqlDatabase m_database;
    DemoTable m_table;
    ConnectionConfig::Engine m_engine;
    int m_batch;
    QVariantList m_pending;
    std::optional<QSqlQuery> m_full;
    qint64 m_count = 0;
};

} // namespace quill
