#include "Transaction.h"

#include "platform/db/Connection.h"

namespace quill {

Transaction::Transaction(Connection& connection)
    : m_connection(connection) {
    m_connection.BeginTrans();
}

Transaction::~Transaction() {
    if (m_done)
        return;
    try {
        m_connection.RollbackTrans();
    } catch (const std::exception&) {
        // A lost connection has rolled the work back already.
    }
}

void Transaction::commit() {
    m_connection.CommitTrans();
    m_done = true;
}

} // namespace quill
