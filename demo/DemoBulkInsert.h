#pragma once

#include "demo/DemoTable.h"

#include <QByteArray>
#include <QVariant>

#include <memory>

namespace quill {

class Connection;

// Inserts many rows into one table fast, through the driver's own handle:
// one prepared statement stepped per row on SQLite, COPY on PostgreSQL. The
// caller runs it inside a transaction of the same connection. Values are
// stored as the engine keeps them: ISO text for dates and times and 0/1 for
// yes/no on SQLite; exact decimal text on PostgreSQL.
class DemoBulkInsert {
public:
    static std::unique_ptr<DemoBulkInsert> create(Connection& connection, const DemoTable& table);
    virtual ~DemoBulkInsert() = default;

    // Raises DbError when the row cannot be written.
    virtual void add(const QVariantList& row) = 0;
    // Writes what is still buffered; raises DbError on failure.
    virtual void finish() = 0;

protected:
    explicit DemoBulkInsert(const DemoTable& table);
    void checkWidth(const QVariantList& row) const;
    // The value as text in the form both engines read for its type code.
    static QByteArray text(const QVariant& value, const DemoColumn& column);

    DemoTable m_table;
};

} // namespace quill
