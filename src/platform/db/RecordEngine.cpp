#include "RecordEngine.h"

#include "platform/db/Connection.h"
#include "platform/db/PgEngine.h"
#include "platform/db/SqliteEngine.h"

namespace quill {

std::unique_ptr<RecordEngine> RecordEngine::create(Connection& connection) {
    if (connection.engine() == ConnectionConfig::Engine::Sqlite)
        return std::make_unique<SqliteEngine>(connection);
    return std::make_unique<PgEngine>(connection);
}

} // namespace quill
