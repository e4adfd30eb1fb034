#include "platform/vb/DateSerial.h"

#include <cmath>

namespace quill::vb {

namespace {

constexpr double FirstSerial = -657434.0; // 0100-01-01
constexpr double LastSerial = 2958466.0;  // 10000-01-01, excluded
constexpr qint64 SecondsPerDay = 24 * 3600;

} // namespace

QDate zeroDate() {
    return QDate(1899, 12, 30);
}

double DateSerial(const QDate& date) {
    return double(zeroDate().daysTo(date));
}

double DateSerial(const QDateTime& dateTime) {
    const double days = DateSerial(dateTime.date());
    const double fraction = dateTime.time().msecsSinceStartOfDay() / (1000.0 * SecondsPerDay);
    return days < 0 ? days - fraction : days + fraction;
}

QDateTime DateTimeFromSerial(double serial) {
    if (!std::isfinite(serial) || serial <= FirstSerial - 1.0 || serial >= LastSerial)
        return {};
    double days = std::trunc(serial);
    qint64 seconds = std::llround(std::fabs(serial - days) * SecondsPerDay);
    if (seconds >= SecondsPerDay) {
        seconds -= SecondsPerDay;
        days += serial < 0 ? -1.0 : 1.0;
    }
    const QDate date = zeroDate().addDays(qint64(days));
    if (date.year() < 100 || date.year() > 9999)
        return {};
    return QDateTime(date, QTime(0, 0).addSecs(int(seconds)), Qt::UTC);
}

QDate DateFromSerial(double serial) {
    return DateTimeFromSerial(serial).date();
}

} // namespace quill::vb
