#include "ConnectionConfig.h"

#include <QStringList>

namespace quill {

ConnectionConfig ConnectionConfig::fromPgConnInfo(const QString& connInfo) {
    ConnectionConfig c;
    c.engine = Engine::Postgres;
    c.databaseKind = QStringLiteral("2");
    const QStringList parts = connInfo.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = part.left(eq);
        const QString value = part.mid(eq + 1);
        if (key == QLatin1String("host"))
            c.host = value;
        else if (key == QLatin1String("port"))
            c.port = value.toInt();
        else if (key == QLatin1String("dbname"))
            c.database = value;
        else if (key == QLatin1String("user"))
            c.user = value;
        else if (key == QLatin1String("password"))
            c.password = value;
        else if (key == QLatin1String("schema"))
            c.schema = value;
    }
    return c;
}

QString ConnectionConfig::toPgConnInfo() const {
    QStringList parts{QStringLiteral("host=") + host, QStringLiteral("port=%1").arg(port),
                      QStringLiteral("dbname=") + database, QStringLiteral("user=") + user};
    if (!password.isEmpty())
        parts << QStringLiteral("password=") + password;
    if (!schema.isEmpty())
        parts << QStringLiteral("schema=") + schema;
    return parts.join(QLatin1Char(' '));
}

} // namespace quill
