#include "foundation/Dialect.h"

#include "platform/db/DatabaseKind.h"
#include "platform/vb/ParseDate.h"
#include "platform/vb/Trim.h"

#include <QRegularExpression>

namespace quill {

Dialect Dialect::fromKind(const QString& databaseKind) {
    return Dialect(isQuoteDialectKind(databaseKind) ? Kind::Quote : Kind::Hash);
}

QString Dialect::textLiteral(const QString& value) {
    QString literal;
    literal.reserve(value.size() + 2);
    literal.append(u'\'');
    for (QChar c : value) {
        if (c == u'\'')
            literal.append(u'\'');
        literal.append(c);
    }
    literal.append(u'\'');
    return literal;
}

QString Dialect::wrapped(const QString& iso) const {
    return isQuote() ? u'\'' + iso + u'\'' : u'#' + iso + u'#';
}

QString Dialect::dateLiteral(const QString& value) const {
    const auto iso = vb::IsoDateText(value, vb::IsoPart::Date);
    return iso ? wrapped(*iso) : textLiteral(value);
}

QString Dialect::timeLiteral(const QString& value) const {
    const auto iso = vb::IsoDateText(value, vb::IsoPart::Time);
    return iso ? wrapped(*iso) : textLiteral(value);
}

QString Dialect::valueLiteral(const QString& value) const {
    // Digits with an optional sign, point and exponent: read the same way by
    // every engine, and never more than one token.
    static const QRegularExpression plainNumber(
        QStringLiteral(R"(^[+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?$)"));
    const QString trimmed = vb::Trim(value);
    if (plainNumber.match(trimmed).hasMatch())
        return trimmed;
    if (trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
        trimmed == QStringLiteral("是"))
        return booleanLiteral(true);
    if (trimmed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 ||
        trimmed == QStringLiteral("否"))
        return booleanLiteral(false);
    return textLiteral(trimmed);
}

QString Dialect::booleanLiteral(bool value) const {
    if (isQuote())
        return value ? QStringLiteral("1") : QStringLiteral("0");
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString Dialect::booleanCondition(const QString& column, bool value) const {
    return column + u'=' + booleanLiteral(value);
}

QString Dialect::nullTest(const QString& column) const {
    return isQuote() ? column + QStringLiteral(" is null")
                     : QStringLiteral("isnull(") + column + u')';
}

QString Dialect::probeLiteral(TypeCode code) const {
    switch (code) {
    case TypeCode::S:
        return QStringLiteral(" = ''");
    case TypeCode::T:
        return isQuote() ? QStringLiteral(" = '1900-01-10'") : QStringLiteral(" = #1900-01-10#");
    case TypeCode::Y:
        return isQuote() ? QStringLiteral(" = '00:00:01'") : QStringLiteral(" = #00:00:01#");
    case TypeCode::D:
        return QStringLiteral(" = 0.000001");
    case TypeCode::I:
        return QStringLiteral(" = 1234567");
    case TypeCode::B:
    case TypeCode::M:
    case TypeCode::O:
    case TypeCode::Unknown:
        break;
    }
    return QStringLiteral(" is null");
}

QString Dialect::tableExistsQuery(const QString& table) {
    return QStringLiteral("select * from sysobjects where name=") + textLiteral(table);
}

} // namespace quill
