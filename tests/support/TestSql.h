#pragma once

#include <QString>

namespace quill {
class Connection;
}

namespace quill::test {

// Runs a statement on the connection's database as it is written (no
// dialect rewriting); a failure throws std::runtime_error with the
// engine's message and the statement.
void execSql(Connection& connection, const QString& sql);

// Creates the suite's dictionary table zdb1 and organisation table zdb3,
// empty, with the columns the suite reads.
void createDictionaryTables(Connection& connection);

} // namespace quill::test
