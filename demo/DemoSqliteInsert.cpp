#include "DemoSqliteInsert.h"

#include "platform/db/DbError.h"
#include "platform/db/SqliteEngine.h"

#include <sqlite3.h>

namespace quill {

DemoSqliteInsert::DemoSqliteInsert(Connection& connection, const DemoTable& table)
    : DemoBulkInsert(table)
    , m_db(SqliteEngine::handleOf(connection)) {
    if (!m_db)
        throw DbError(QStringLiteral("SQLite 连接未打开"));
    QStringList marks(table.columns.size(), QStringLiteral("?"));
    const QByteArray sql = QStringLiteral("insert into %1 (%2) values (%3)")
                               .arg(table.name, table.fields().join(u','), marks.join(u','))
                               .toUtf8();
    if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &m_statement, nullptr) != SQLITE_OK)
        fail();
}

DemoSqliteInsert::~DemoSqliteInsert() {
    sqlite3_finalize(m_statement);
}

void DemoSqliteInsert::fail() const {
    throw DbError(m_table.name + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(m_db)));
}

void DemoSqliteInsert::add(const QVariantList& row) {
    checkWidth(row);
    for (int i = 0; i < row.size(); ++i) {
        const QVariant& v = row.at(i);
        const char code = m_table.columns.at(i).typeCode.at(0).toLatin1();
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(m_statement, i + 1);
        } else if (code == 'D') {
            rc = sqlite3_bind_double(m_statement, i + 1, v.toDouble());
        } else if (code == 'I') {
            rc = sqlite3_bind_int64(m_statement, i + 1, v.toLongLong());
        } else if (code == 'B') {
            rc = sqlite3_bind_int(m_statement, i + 1, v.toBool() ? 1 : 0);
        } else {
            const QByteArray bytes = text(v, m_table.columns.at(i));
            rc = code == 'O' ? sqlite3_bind_blob(m_statement, i + 1, bytes.constData(),
                                                 int(bytes.size()), SQLITE_TRANSIENT)
                             : sqlite3_bind_text(m_statement, i + 1, bytes.constData(),
                                                 int(bytes.size()), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK)
            fail();
    }
    const int rc = sqlite3_step(m_statement);
    sqlite3_reset(m_statement);
    if (rc != SQLITE_DONE)
        fail();
}

void DemoSqliteInsert::finish() {}

} // namespace quill
