#pragma once

#include "platform/db/Connection.h"

#include <QTemporaryDir>

#include <memory>

namespace quill::bench {

// A database for one engine filled with the benchmark tables: "big" holds
// 100000 records of 10 fields, "pay" 16380 records. SQLite in a temporary
// file; PostgreSQL in a schema of its own on the server named by
// QUILL_TEST_PG, dropped at the end.
class BenchDatabase {
public:
    static const int bigRows = 100000;
    static const int payRows = 16380;

    explicit BenchDatabase(ConnectionConfig::Engine engine);
    ~BenchDatabase();

    static bool pgAvailable();
    const ConnectionConfig& config() const { return m_config; }
    Connection& connection() { return *m_connection; }
    // Puts the pay table back as generated.
    void resetPay();

private:
    QTemporaryDir m_dir;
    ConnectionConfig m_config;
    std::unique_ptr<Connection> m_connection;
};

} // namespace quill::bench
