#include "DemoBulkInsert.h"

#include "demo/DemoPgCopy.h"
#include "demo/DemoSqliteInsert.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"

#include <QDate>
#include <QTime>

namespace quill {

std::unique_ptr<DemoBulkInsert> DemoBulkInsert::create(Connection& connection,
                                                       const DemoTable& table) {
    if (connection.engine() == ConnectionConfig::Engine::Sqlite)
        return std::make_unique<DemoSqliteInsert>(connection, table);
    return std::make_unique<DemoPgCopy>(connection, table);
}

DemoBulkInsert::DemoBulkInsert(const DemoTable& table)
    : m_table(table) {}

void DemoBulkInsert::checkWidth(const QVariantList& row) const {
    if (row.size() != m_table.columns.size())
        throw DbError(m_table.name + QStringLiteral(": 行的列数不对"));
}

QByteArray DemoBulkInsert::text(const QVariant& value, const DemoColumn& column) {
    switch (column.typeCode.at(0).unicode()) {
    case u'T':
        return value.toDate().toString(Qt::ISODate).toLatin1();
    case u'Y':
        return value.toTime().toString(QStringLiteral("HH:mm:ss")).toLatin1();
    case u'D':
        return QByteArray::number(value.toDouble(), 'f', 2);
    case u'I':
        return QByteArray::number(value.toLongLong());
    case u'O':
        return value.toByteArray();
    default:
        return value.toString().toUtf8();
    }
}

} // namespace quill
