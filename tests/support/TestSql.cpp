#include "TestSql.h"

#include "platform/db/Connection.h"

#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>

namespace quill::test {

void execSql(Connection& connection, const QString& sql) {
    QSqlQuery query(connection.database());
    if (!query.exec(sql))
        throw std::runtime_error(
            (query.lastError().text() + QStringLiteral(": ") + sql).toStdString());
}

void createDictionaryTables(Connection& connection) {
    execSql(connection,
            QStringLiteral("create table zdb1 (parid integer, proid integer, proname varchar(100), "
                           "proval varchar(100), proif boolean, proval1 varchar(100), "
                           "proval2 varchar(100))"));
    execSql(connection,
            QStringLiteral("create table zdb3 (parid integer, proid integer, proname varchar(100), "
                           "proval integer, proval1 varchar(20))"));
}

} // namespace quill::test
