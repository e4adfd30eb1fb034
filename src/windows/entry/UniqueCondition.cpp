#include "windows/entry/UniqueCondition.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace quill {

QString UniqueCondition::of(const QString& field, const QVariant& value, const Dialect& dialect) {
    if (value.isNull())
        return dialect.nullTest(field);
    const QString equals = field + QStringLiteral(" = ");
    switch (value.typeId()) {
    case QMetaType::QDate:
        return equals + dialect.dateLiteral(value.toDate().toString(Qt::ISODate));
    case QMetaType::QTime:
        return equals +
               dialect.timeLiteral(value.toTime().toString(QStringLiteral("HH:mm:ss.zzz")));
    case QMetaType::QDateTime:
        return equals + dialect.dateLiteral(value.toDateTime().toString(Qt::ISODate));
    case QMetaType::Bool:
        return equals + dialect.booleanLiteral(value.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return equals + QString::number(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return equals + QString::number(value.toDouble(), 'g', 17);
    default: {
        const QString text = value.toString();
        if (text.isEmpty())
            return QLatin1Char('(') + equals + QStringLiteral("'' or ") + dialect.nullTest(field) +
                   QLatin1Char(')');
        return equals + Dialect::textLiteral(text);
    }
    }
}

} // namespace quill
