#include "foundation/Dialect.h"

#include "platform/vb/Val.h"

namespace quill {

Dialect Dialect::fromKind(const QString& databaseKind) {
    return Dialect(vb::Val(databaseKind) > 1 ? Kind::Quote : Kind::Hash);
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

QString Dialect::dateLiteral(const QString& value) const {
    if (isQuote())
        return textLiteral(value);
    qsizetype end = 0;
    while (end < value.size() && value[end] != u'#' && value[end] != u'\'')
        ++end;
    return u'#' + value.left(end) + u'#';
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
