#pragma once

#include "platform/db/ConnectionConfig.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace quill::test {

enum class Engine { Sqlite, Pg };

// The engines a per-engine test runs on; instances are named "sqlite" and "pg"
// so CTest can run the PostgreSQL cases on their own (filter "*/pg").
std::vector<Engine> engines();
std::string engineName(const ::testing::TestParamInfo<Engine>& info);

// A fresh, empty database for one test: a SQLite file in a temporary folder, or
// a new schema in the PostgreSQL database named by QUILL_TEST_PG, dropped again
// afterwards. Without QUILL_TEST_PG the PostgreSQL cases skip, except under
// CI=true, where they fail.
class TestDatabase {
public:
    explicit TestDatabase(Engine engine);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    bool available() const { return m_available; }
    QString unavailableReason() const { return m_reason; }
    // Settings for opening connections to this database; DatabaseKind "1" on
    // SQLite (hash dialect), "2" on PostgreSQL (quote dialect).
    const ConnectionConfig& config() const { return m_config; }
    // A folder for the test's files, removed afterwards.
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    ConnectionConfig m_config;
    bool m_available = true;
    QString m_reason;
};

// Base fixture of per-engine tests: TEST_P bodies use db().
class EngineTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override;
    void TearDown() override { m_db.reset(); }
    TestDatabase& db() { return *m_db; }

private:
    std::unique_ptr<TestDatabase> m_db;
};

#define QUILL_INSTANTIATE_ENGINES(Fixture)                                                         \
    INSTANTIATE_TEST_SUITE_P(, Fixture, ::testing::ValuesIn(::quill::test::engines()),             \
                             ::quill::test::engineName)

} // namespace quill::test
