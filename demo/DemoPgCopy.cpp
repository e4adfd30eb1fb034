#include "DemoPgCopy.h"

#include "platform/db/DbError.h"
#include "platform/db/PgEngine.h"

#include <libpq-fe.h>

namespace quill {

namespace {

constexpr qsizetype BlockSize = 1 << 20;

// A field of COPY's text format: backslash, tab, line feed and carriage
// return escaped.
void appendEscaped(QByteArray& out, const QByteArray& field) {
    for (const char c : field) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
}

} // namespace

DemoPgCopy::DemoPgCopy(Connection& connection, const DemoTable& table)
    : DemoBulkInsert(table)
    , m_conn(PgEngine::handleOf(connection)) {
    if (!m_conn)
        throw DbError(QStringLiteral("PostgreSQL 连接未打开"));
    const QByteArray sql = QStringLiteral("copy %1 (%2) from stdin")
                               .arg(table.name, table.fields().join(u','))
                               .toUtf8();
    PGresult* result = PQexec(m_conn, sql.constData());
    const bool started = PQresultStatus(result) == PGRES_COPY_IN;
    PQclear(result);
    if (!started)
        fail();
    m_copying = true;
    m_buffer.reserve(BlockSize + 4096);
}

DemoPgCopy::~DemoPgCopy() {
    // An abandoned copy is ended with an error, so the connection can go on
    // (and the caller's transaction roll back).
    if (m_copying) {
        PQputCopyEnd(m_conn, "abandoned");
        while (PGresult* r = PQgetResult(m_conn))
            PQclear(r);
    }
}

void DemoPgCopy::fail() const {
    throw DbError(m_table.name + QStringLiteral(": ") +
                  QString::fromUtf8(PQerrorMessage(m_conn)).trimmed());
}

void DemoPgCopy::add(const QVariantList& row) {
    checkWidth(row);
    for (int i = 0; i < row.size(); ++i) {
        if (i > 0)
            m_buffer += '\t';
        const QVariant& v = row.at(i);
        const DemoColumn& column = m_table.columns.at(i);
        if (v.isNull()) {
            m_buffer += "\\N";
        } else if (column.typeCode == u"B") {
            m_buffer += v.toBool() ? 't' : 'f';
        } else if (column.typeCode == u"O") {
            appendEscaped(m_buffer, "\\x" + text(v, column).toHex());
        } else {
            appendEscaped(m_buffer, text(v, column));
        }
    }
    m_buffer += '\n';
    if (m_buffer.size() >= BlockSize)
        send();
}

void DemoPgCopy::send() {
    if (PQputCopyData(m_conn, m_buffer.constData(), static_cast<int>(m_buffer.size())) != 1)
        fail();
    m_buffer.clear();
}

void DemoPgCopy::finish() {
    if (!m_buffer.isEmpty())
        send();
    m_copying = false;
    if (PQputCopyEnd(m_conn, nullptr) != 1)
        fail();
    PGresult* result = PQgetResult(m_conn);
    const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
    QString message;
    if (!ok)
        message = QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
    PQclear(result);
    while (PGresult* r = PQgetResult(m_conn))
        PQclear(r);
    if (!ok)
        throw DbError(m_table.name + QStringLiteral(": ") + message);
}

} // namespace quill
