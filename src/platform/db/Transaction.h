#pragma once

namespace quill {

class Connection;

// A transaction on a connection: begun by the constructor, rolled back by
// the destructor unless commit() was called.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Connection& m_connection;
    bool m_done = false;
};

} // namespace quill
