#include "DemoBulkInsert.h"

#include "platform/db/DbError.h"

#include <QDate>
#include <QSqlError>
#include <QTime>

#include <algorithm>

namespace quill {

namespace {

// SQLite's oldest limit on bound values in one statement.
constexpr int MaxParameters = 999;
constexpr int MaxBatch = 200;

} // namespace

DemoBulkInsert::DemoBulkInsert(const QSqlDatabase& database, const DemoTable& table,
                               ConnectionConfig::Engine engine)
    : m_database(database)
    , m_table(table)
    , m_engine(engine)
    , m_batch(std::clamp(MaxParameters / static_cast<int>(table.columns.size()), 1, MaxBatch)) {}

QString DemoBulkInsert::statement(int rows) const {
    const qsizetype n = m_table.columns.size();
    QString one = QStringLiteral("(?");
    for (qsizetype c = 1; c < n; ++c)
        one += QStringLiteral(",?");
    one += u')';
    QStringList values(rows, one);
    return QStringLiteral("insert into %1 (%2) values %3")
        .arg(m_table.name, m_table.fields().join(u','), values.join(u','));
}

QVariant DemoBulkInsert::convert(const QVariant& value, const DemoColumn& column) const {
    if (value.isNull())
        return value;
    const bool sqlite = m_engine == ConnectionConfig::Engine::Sqlite;
    switch (column.typeCode.at(0).unicode()) {
    case u'T':
        return value.toDate().toString(Qt::ISODate);
    case u'Y':
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case u'D':
        return sqlite ? QVariant(value.toDouble())
                      : QVariant(QString::number(value.toDouble(), 'f', 2));
    case u'B':
        return sqlite ? QVariant(value.toBool() ? 1 : 0) : QVariant(value.toBool());
    default:
        return value;
    }
}

void DemoBulkInsert::add(const QVariantList& row) {
    const qsizetype n = m_table.columns.size();
    if (row.size() != n)
        throw DbError(QStringLiteral("%1: 行的列数不对").arg(m_table.name));
    for (qsizetype c = 0; c < n; ++c)
        m_pending << convert(row.at(c), m_table.columns.at(c));
    if (m_pending.size() == n * m_batch) {
        if (!m_full) {
            m_full.emplace(m_database);
            if (!m_full->prepare(statement(m_batch)))
                throw DbError(m_table.name + QStringLiteral(": ") + m_full->lastError().text());
        }
        flush(*m_full, m_batch);
    }
}

void DemoBulkInsert::finish() {
    const int rows = static_cast<int>(m_pending.size() / m_table.columns.size());
    if (rows > 0) {
        QSqlQuery rest(m_database);
        if (!rest.prepare(statement(rows)))
            throw DbError(m_table.name + QStringLiteral(": ") + rest.lastError().text());
        flush(rest, rows);
    }
    m_full.reset();
}

void DemoBulkInsert::flush(QSqlQuery& query, int rows) {
    for (qsizetype i = 0; i < m_pending.size(); ++i)
        query.bindValue(static_cast<int>(i), m_pending.at(i));
    if (!query.exec())
        throw DbError(m_table.name + QStringLiteral(": ") + query.lastError().text());
    m_count += rows;
    m_pending.clear();
}

} // namespace quill
