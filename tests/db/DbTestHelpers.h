#pragma once

#include "TestDatabase.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <ostream>

// Readable values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QVariant& value, std::ostream* os) {
    *os << (value.isNull() ? "null" : value.typeName()) << ' ' << value.toString().toStdString();
}

namespace quill::test {

// A test on each engine with a connection of its own to the test database.
class ConnectedTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (db().available())
            m_connection = std::make_unique<Connection>(db().config());
    }
    void TearDown() override {
        m_connection.reset();
        EngineTest::TearDown();
    }
    Connection& c() { return *m_connection; }
    bool sqlite() const { return GetParam() == Engine::Sqlite; }

private:
    std::unique_ptr<Connection> m_connection;
};

// The first field of the first record of sql.
inline QVariant scalar(Connection& c, const QString& sql) {
    Recordset rs;
    rs.Open(sql, c);
    return rs.Eof() ? QVariant() : rs.Value(0);
}

// A table of people with two records that hold equal values everywhere.
inline void createPeople(Connection& c) {
    c.Execute(
        QStringLiteral("create table people (id integer, name varchar(20), pay numeric(10,2), "
                       "born date, starts time, seen timestamp, proif boolean)"));
    c.Execute(QStringLiteral("insert into people values (1, 'Ann', 10.5, '1980-01-31', '08:30:00', "
                             "'2004-02-01 10:20:30', true)"));
    c.Execute(QStringLiteral("insert into people values (2, 'Bob', 20, '1990-12-01', '17:00:00', "
                             "'2005-03-04 05:06:07', false)"));
    c.Execute(QStringLiteral("insert into people values (3, 'Twin', 30, null, null, null, null)"));
    c.Execute(QStringLiteral("insert into people values (3, 'Twin', 30, null, null, null, null)"));
}

} // namespace quill::test
