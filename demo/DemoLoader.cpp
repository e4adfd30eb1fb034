#include "DemoLoader.h"

#include "demo/DemoBulkInsert.h"
#include "demo/DemoError.h"
#include "demo/DemoGenerator.h"
#include "demo/DemoSchema.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/SuiteSupport.h"
#include "platform/db/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>

namespace quill {

DemoLoader::DemoLoader(Connection& connection)
    : m_connection(connection) {}

bool DemoLoader::hasSuiteTables() const {
    QSqlQuery q(m_connection.database());
    return q.exec(QStringLiteral("select count(*) from zdb1"));
}

QString DemoLoader::where() const {
    const ConnectionConfig& c = m_connection.config();
    if (c.engine == ConnectionConfig::Engine::Sqlite)
        return c.path;
    return c.toPgConnInfo();
}

void DemoLoader::load(const DemoGenerator& generator) {
    if (hasSuiteTables()) {
        throw DemoError(QStringLiteral("数据库中已有套件的数据表（zdb1），未做任何改动：") +
                        where());
    }
    const ConnectionConfig::Engine engine = m_connection.engine();
    if (engine == ConnectionConfig::Engine::Postgres && !m_connection.config().schema.isEmpty())
        m_connection.Execute(QStringLiteral("create schema if not exists ") +
                             m_connection.config().schema);

    Transaction transaction(m_connection);
    for (const DemoTable& table : DemoSchema::tables()) {
        for (const QString& sql : DemoSchema::createStatements(table, engine))
            m_connection.Execute(sql);
    }
    installSuiteSupport(m_connection);
    for (const DemoTable& table : DemoSchema::tables()) {
        const std::unique_ptr<DemoBulkInsert> insert = DemoBulkInsert::create(m_connection, table);
        generator.generate(table.name, [&insert](const QVariantList& row) { insert->add(row); });
        insert->finish();
        // Rows were given their ids; later rows (a new report) continue after them.
        if (engine == ConnectionConfig::Engine::Postgres && !table.identity.isEmpty()) {
            m_connection.Execute(QStringLiteral("select setval(pg_get_serial_sequence('%1', '%2'), "
                                                "(select max(%2) from %1))")
                                     .arg(table.name.toLower(), table.identity));
        }
    }
    // Statistics let the planner choose between the range and the order
    // indexes. Only the demo's own tables: the database may hold many more.
    for (const DemoTable& table : DemoSchema::tables())
        m_connection.Execute(QStringLiteral("analyze ") + table.name);
    transaction.commit();
}

QList<QPair<QString, qint64>> DemoLoader::rowCounts() const {
    QList<QPair<QString, qint64>> out;
    for (const DemoTable& table : DemoSchema::tables()) {
        QSqlQuery q(m_connection.database());
        if (!q.exec(QStringLiteral("select count(*) from ") + table.name) || !q.next())
            throw DbError(table.name + QStringLiteral(": ") + q.lastError().text());
        out << qMakePair(table.name, q.value(0).toLongLong());
    }
    return out;
}

} // namespace quill
