#pragma once

namespace quill {
class Connection;
}

namespace quill::test {

// Creates the suite's dictionary table zdb1 and organisation table zdb3,
// empty, with the columns the suite reads.
void createDictionaryTables(Connection& connection);

} // namespace quill::test
