#pragma once

#include "demo/DemoBulkInsert.h"

struct sqlite3;
struct sqlite3_stmt;

namespace quill {

// Bulk insert on SQLite: one prepared insert, bound and stepped per row.
class DemoSqliteInsert : public DemoBulkInsert {
public:
    DemoSqliteInsert(Connection& connection, const DemoTable& table);
    ~DemoSqliteInsert() override;

    void add(const QVariantList& row) override;
    void finish() override;

private:
    void fail() const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
};

} // namespace quill
