#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace quill {

class Connection;
class DemoGenerator;

// Puts the demo data set into a database: creates the tables, what the
// suite's SQL expects of the database (sysobjects, proif=0/1), and loads every
// row, all in one transaction, so a failure leaves the database as it was.
// A database that already holds the suite's tables is refused, never loaded
// twice.
class DemoLoader {
public:
    explicit DemoLoader(Connection& connection);

    // True when the database (the connection's schema) already has zdb1.
    bool hasSuiteTables() const;
    // Raises DemoError when the database already holds the suite's tables and
    // DbError when a statement fails.
    void load(const DemoGenerator& generator);
    // Table name and row count of every demo table, in schema order.
    QList<QPair<QString, qint64>> rowCounts() const;

private:
    QString where() const;

    Connection& m_connection;
};

} // namespace quill
