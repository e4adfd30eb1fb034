#pragma once

#include <memory>

namespace quill {
class Connection;
struct ConnectionConfig;
} // namespace quill

namespace quill::test {

// A connection with the few zdb1 and zdb3 rows the suite tests look up:
// the pay table GZB ("工资管理") with department, team, group, name, amount,
// date and an uncaptioned note column, the employee table YGZL, and two departments with teams
// and groups (codes 100, 110 ... as below), beside a pick list.
std::shared_ptr<Connection> suiteDatabase(const ConnectionConfig& config);

} // namespace quill::test
