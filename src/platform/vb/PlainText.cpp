#include "platform/vb/PlainText.h"

#include "platform/vb/DateSerial.h"
#include "platform/vb/Decimal.h"

#include <cmath>
#include <cstdlib>

namespace quill::vb {

namespace {

void appendTwoDigits(QString& text, int value) {
    text.append(QChar(u'0' + value / 10));
    text.append(QChar(u'0' + value % 10));
}

QString exponentText(const Decimal& d) {
    const std::string& digits = d.digits();
    QString text;
    text.append(QChar(digits[0]));
    if (digits.size() > 1) {
        text.append(u'.');
        text.append(QLatin1StringView(digits.data() + 1, qsizetype(digits.size() - 1)));
    }
    const int exponent = d.point() - 1;
    text.append(exponent < 0 ? u"E-" : u"E+");
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        text.append(u'0');
    text.append(QString::number(magnitude));
    return text;
}

} // namespace

QString NumberText(double value) {
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == 0.0)
        return QStringLiteral("0");
    const Decimal d = Decimal::fromDouble(std::fabs(value));
    QString text = value < 0 ? QStringLiteral("-") : QString();
    if (d.point() > 15 || d.point() < -4)
        return text + exponentText(d);
    const std::string whole = d.integerDigits();
    text.append(whole.empty() ? QLatin1StringView("0") : QLatin1StringView(whole.c_str()));
    const int fractionCount = int(d.digits().size()) - d.point();
    if (fractionCount > 0) {
        text.append(u'.');
        text.append(QLatin1StringView(d.fractionDigits(fractionCount).c_str()));
    }
    return text;
}

QString TimeText(const QTime& value) {
    if (!value.isValid())
        return {};
    QString text;
    text.reserve(8);
    appendTwoDigits(text, value.hour());
    text.append(u':');
    appendTwoDigits(text, value.minute());
    text.append(u':');
    appendTwoDigits(text, value.second());
    return text;
}

QString DateTimeText(const QDateTime& value) {
    if (!value.isValid())
        return {};
    const QDate date = value.date();
    const QTime time = value.time();
    QString text;
    text.reserve(19);
    const bool withDate = date != zeroDate() || time.msecsSinceStartOfDay() == 0;
    if (withDate) {
        text.append(QString::number(date.year()).rightJustified(4, u'0'));
        text.append(u'-');
        appendTwoDigits(text, date.month());
        text.append(u'-');
        appendTwoDigits(text, date.day());
    }
    if (time.msecsSinceStartOfDay() != 0) {
        if (withDate)
            text.append(u' ');
        text.append(TimeText(time));
    }
    return text;
}

QString PlainText(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return NumberText(value.toDouble());
    case QMetaType::QDate:
        return DateTimeText(QDateTime(value.toDate(), QTime(0, 0), Qt::UTC));
    case QMetaType::QDateTime:
        return DateTimeText(value.toDateTime());
    case QMetaType::QTime:
        return TimeText(value.toTime());
    default:
        return value.toString();
    }
}

} // namespace quill::vb
