#include "DictionaryTables.h"

#include "platform/db/Connection.h"

namespace quill::test {

void createDictionaryTables(Connection& connection) {
    connection.Execute(
        QStringLiteral("create table zdb1 (parid integer, proid integer, proname varchar(100), "
                       "proval varchar(100), proif boolean, proval1 varchar(100), "
                       "proval2 varchar(100))"));
    connection.Execute(
        QStringLiteral("create table zdb3 (parid integer, proid integer, proname varchar(100), "
                       "proval integer, proval1 varchar(20))"));
}

} // namespace quill::test
