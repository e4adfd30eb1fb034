#include "SuiteSupport.h"

#include "platform/db/Connection.h"

namespace quill {

void installSuiteSupport(Connection& connection) {
    if (connection.engine() == ConnectionConfig::Engine::Sqlite) {
        connection.Execute(
            QStringLiteral("create view if not exists sysobjects as select name from sqlite_master "
                           "where type in ('table','view') and name not like 'sqlite_%'"));
        return;
    }
    connection.Execute(
        QStringLiteral("create or replace view sysobjects as select table_name::text as name "
                       "from information_schema.tables where table_schema = current_schema()"));
}

} // namespace quill
