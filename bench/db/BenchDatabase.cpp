#include "BenchDatabase.h"

#include <QCoreApplication>

namespace quill::bench {

namespace {

// Rows 1..n of a number series, on either engine.
QString series(ConnectionConfig::Engine engine, int n) {
    if (engine == ConnectionConfig::Engine::Postgres)
        return QStringLiteral("select i from generate_series(1, %1) as s(i)").arg(n);
    return QStringLiteral(
               "select i from (with recursive s(i) as (select 1 union all select i + 1 from s "
               "where i < %1) select i from s)")
        .arg(n);
}

} // namespace

bool BenchDatabase::pgAvailable() {
    return !qEnvironmentVariable("QUILL_TEST_PG").isEmpty();
}

BenchDatabase::BenchDatabase(ConnectionConfig::Engine engine) {
    if (engine == ConnectionConfig::Engine::Sqlite) {
        m_config.engine = engine;
        m_config.path = m_dir.filePath(QStringLiteral("bench.db"));
        m_config.databaseKind = QStringLiteral("1");
    } else {
        m_config = ConnectionConfig::fromPgConnInfo(qEnvironmentVariable("QUILL_TEST_PG"));
        const QString schema = QStringLiteral("bench_%1").arg(QCoreApplication::applicationPid());
        {
            Connection admin(m_config);
            admin.Execute(QStringLiteral("drop schema if exists ") + schema + " cascade");
            admin.Execute(QStringLiteral("create schema ") + schema);
        }
        m_config.schema = schema;
    }
    m_connection = std::make_unique<Connection>(m_config);
    Connection& c = *m_connection;
    c.Execute("create table big (id integer primary key, name varchar(20), code varchar(10), "
              "depart integer, pay numeric(12,2), bonus double precision, born date, hired date, "
              "note varchar(40), flag boolean)");
    c.Execute("insert into big select i, 'name ' || i, 'C' || (i % 1000), i % 37, i * 1.25, "
              "i / 3.0, '1970-01-01', '2004-02-01', case when i % 5 = 0 then null else "
              "'a note of some length ' || i end, i % 2 = 0 from (" +
              series(engine, bigRows) + ") s");
    c.Execute("create table pay (id integer primary key, name varchar(20), depart integer, "
              "base numeric(12,2), extra numeric(12,2), total numeric(12,2), month integer, "
              "year integer, zhdate date, note varchar(40))");
    resetPay();
}

BenchDatabase::~BenchDatabase() {
    const QString schema = m_config.schema;
    m_connection.reset();
    if (m_config.engine == ConnectionConfig::Engine::Postgres) {
        ConnectionConfig admin = m_config;
        admin.schema.clear();
        Connection c(admin);
        c.Execute(QStringLiteral("drop schema ") + schema + " cascade");
    }
}

void BenchDatabase::resetPay() {
    Connection& c = *m_connection;
    c.Execute("delete from pay");
    c.Execute("insert into pay select i, 'name ' || i, i % 37, 1000 + i % 100, 0, 1000, 2, 2004, "
              "'2004-02-01', null from (" +
              series(m_config.engine, payRows) + ") s");
}

} // namespace quill::bench
