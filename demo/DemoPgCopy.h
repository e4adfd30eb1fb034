#pragma once

#include "demo/DemoBulkInsert.h"

struct pg_conn;

namespace quill {

// Bulk insert on PostgreSQL: COPY ... FROM STDIN in text format, sent in
// blocks of about a megabyte.
class DemoPgCopy : public DemoBulkInsert {
public:
    DemoPgCopy(Connection& connection, const DemoTable& table);
    ~DemoPgCopy() override;

    void add(const QVariantList& row) override;
    void finish() override;

private:
    void send();
    [[noreturn]] void fail() const;

    pg_conn* m_conn = nullptr;
    QByteArray m_buffer;
    bool m_copying = false;
};

} // namespace quill
