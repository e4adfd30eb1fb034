#pragma once

#include "TestDatabase.h"

#include <memory>

namespace quill {
class Connection;
struct ConnectionConfig;
class SuiteLib;
} // namespace quill

namespace quill::test {

// A connection with the few zdb1 and zdb3 rows the suite tests look up:
// the pay table GZB ("工资管理") with department, team, group, name, amount,
// date and an uncaptioned note column, the employee table YGZL, and two departments with teams
// and groups (codes 100, 110 ... as below), beside a pick list.
std::shared_ptr<Connection> suiteDatabase(const ConnectionConfig& config);

// Base fixture of the per-engine suite tests: SuiteLib starts afresh on
// suiteDatabase() and is reset again afterwards.
class SuiteTest : public EngineTest {
protected:
    void SetUp() override;
    void TearDown() override;
    static SuiteLib& lib();
};

} // namespace quill::test
