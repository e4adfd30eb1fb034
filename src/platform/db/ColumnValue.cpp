#include "ColumnValue.h"

#include "platform/db/TemporalText.h"
#include "platform/vb/Numeric.h"
#include "platform/vb/ParseDate.h"

#include <cmath>

namespace quill {

namespace {

QVariant flag(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || t == QStringLiteral("是"))
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || t == QStringLiteral("否"))
        return false;
    if (const auto number = vb::ParseNumber(t))
        return *number != 0;
    return {};
}

// The number without blanks and thousands separators; null when the text
// is no number. Kept as decimal text, so no digit is lost on the way.
QString plainNumber(const QString& text) {
    if (!vb::ParseNumber(text))
        return {};
    QString plain = text.trimmed();
    plain.remove(QLatin1Char(','));
    return plain;
}

QVariant wholeNumber(const QString& text) {
    const QString plain = plainNumber(text);
    if (plain.isNull())
        return {};
    bool ok = false;
    const qlonglong whole = plain.toLongLong(&ok);
    if (ok)
        return whole;
    const double number = plain.toDouble();
    if (std::trunc(number) == number && std::abs(number) < 9.0e18)
        return static_cast<qlonglong>(number);
    return {};
}

QVariant temporal(const QString& text, FieldKind kind) {
    if (TemporalText::finerThanMilliseconds(text))
        return {}; // already the stored form, finer than the parsed value would be
    const std::optional<vb::DateParts> parts = vb::ParseDateParts(text);
    if (!parts)
        return {};
    // Wall-clock values, as the program reads its columns.
    switch (kind) {
    case FieldKind::Date:
        if (!parts->date)
            return {}; // a time alone is no date
        if (parts->time && *parts->time != QTime(0, 0))
            return QDateTime(*parts->date, *parts->time);
        return *parts->date;
    case FieldKind::Time:
        if (!parts->time)
            return {}; // nor is a date a time
        return *parts->time;
    default:
        return QDateTime(parts->date.value_or(QDate(1899, 12, 30)),
                         parts->time.value_or(QTime(0, 0)));
    }
}

} // namespace

QVariant ColumnValue::typed(const QVariant& value, FieldKind kind) {
    if (value.typeId() != QMetaType::QString)
        return value;
    const QString text = value.toString();
    QVariant typed;
    switch (kind) {
    case FieldKind::Boolean:
        typed = flag(text);
        break;
    case FieldKind::Integer:
    case FieldKind::BigInteger:
        typed = wholeNumber(text);
        break;
    case FieldKind::Double:
    case FieldKind::Decimal: {
        const QString plain = plainNumber(text);
        if (!plain.isNull())
            typed = plain;
        break;
    }
    case FieldKind::Date:
    case FieldKind::Time:
    case FieldKind::DateTime:
        typed = temporal(text, kind);
        break;
    default:
        break;
    }
    return typed.isValid() ? typed : value;
}

} // namespace quill
