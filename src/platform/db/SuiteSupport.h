#pragma once

namespace quill {

class Connection;

// Creates what the suite's SQL texts expect of the current database (schema
// on PostgreSQL): a sysobjects view whose name column lists the tables and
// views, and on PostgreSQL the comparisons that let proif=0 / proif=1 test a
// boolean column. Safe to call again.
void installSuiteSupport(Connection& connection);

} // namespace quill
