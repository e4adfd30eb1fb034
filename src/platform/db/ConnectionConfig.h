#pragma once

#include <QString>

namespace quill {

// Where the suite's database lives: a SQLite file (the embedded default) or a
// PostgreSQL server shared by many users.
struct ConnectionConfig {
    enum class Engine { Sqlite, Postgres };

    Engine engine = Engine::Sqlite;
    QString path; // SQLite file
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password;
    QString schema;       // PostgreSQL search path; empty: the server's default
    QString databaseKind; // the suite's dialect number as text: above 1 = quote dialect

    // Parses "host=... port=... dbname=... user=... password=... schema=..."
    // (libpq's key=value form; unknown keys are ignored).
    static ConnectionConfig fromPgConnInfo(const QString& connInfo);
    QString toPgConnInfo() const;
};

} // namespace quill
