#pragma once

#include <QDate>
#include <QDateTime>

namespace quill::vb {

// Date serial numbers: whole days since 1899-12-30 (day 0), the time of day
// as the fraction. Before day 0 the fraction still counts forward from
// midnight: -1.25 is 1899-12-29 06:00.
double DateSerial(const QDate& date);
double DateSerial(const QDateTime& dateTime);

// The moment of a serial number, to the nearest second; invalid outside the
// years 100 to 9999 or for a value that is not finite.
QDateTime DateTimeFromSerial(double serial);
QDate DateFromSerial(double serial);

// The zero date 1899-12-30: the date of a time without a date.
QDate zeroDate();

} // namespace quill::vb
