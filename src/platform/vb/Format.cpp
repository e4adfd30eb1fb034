#include "platform/vb/Format.h"

#include "platform/vb/CompiledFormat.h"
#include "platform/vb/DateSerial.h"
#include "platform/vb/Numeric.h"
#include "platform/vb/ParseDate.h"
#include "platform/vb/PlainText.h"

#include <cmath>

namespace quill::vb {

namespace {

QString formatText(const QString& text, const QString& format) {
    if (format.isEmpty() || text.isEmpty())
        return text;
    const auto compiled = CompiledFormat::of(format);
    if (compiled->kind() == CompiledFormat::Kind::Plain)
        return text;
    if (const auto number = ParseNumber(text)) {
        if (!std::isfinite(*number))
            return text;
        if (compiled->kind() == CompiledFormat::Kind::Date &&
            !DateTimeFromSerial(*number).isValid())
            return text;
        return compiled->formatNumber(*number);
    }
    if (const auto moment = ParseDate(text))
        return compiled->formatDateTime(*moment);
    return text;
}

} // namespace

QString Format(double value, const QString& format) {
    if (format.isEmpty())
        return NumberText(value);
    return CompiledFormat::of(format)->formatNumber(value);
}

QString Format(double value, const QString& format, FormatCodes codes) {
    if (codes == FormatCodes::Module)
        return Format(value, format);
    return CompiledFormat::of(format, codes)->formatNumber(value);
}

QString Format(const QVariant& value, const QString& format) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QString:
        return formatText(value.toString(), format);
    case QMetaType::QByteArray:
        return formatText(QString::fromUtf8(value.toByteArray()), format);
    case QMetaType::Double:
    case QMetaType::Float:
        return Format(value.toDouble(), format);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return format.isEmpty() ? value.toString() : Format(value.toDouble(), format);
    case QMetaType::Bool:
        // a true Boolean is -1 as a number
        return format.isEmpty() ? PlainText(value) : Format(value.toBool() ? -1.0 : 0.0, format);
    case QMetaType::QDate: {
        const QDate date = value.toDate();
        if (!date.isValid())
            return {};
        return CompiledFormat::of(format)->formatDateTime(QDateTime(date, QTime(0, 0), Qt::UTC));
    }
    case QMetaType::QDateTime:
        return CompiledFormat::of(format)->formatDateTime(value.toDateTime());
    case QMetaType::QTime: {
        const QTime time = value.toTime();
        if (!time.isValid())
            return {};
        if (format.isEmpty())
            return TimeText(time);
        return CompiledFormat::of(format)->formatDateTime(QDateTime(zeroDate(), time, Qt::UTC));
    }
    default:
        return formatText(value.toString(), format);
    }
}

} // namespace quill::vb
