#pragma once

#include <QDate>
#include <QString>

namespace quill {

// The date dialog's rules, apart from its controls: the date a picker shows
// for a stored bound and what its OK stores.
class DateRange {
public:
    // A stored bound read by the module's one date parser (any form it
    // accepts); CurrentDate when the text is no date.
    static QDate shown(const QString& bound);
    // The text form of a bound: "yyyy-mm-dd".
    static QString text(const QDate& date);

    // OK: refuses (false, nothing stored) when the first date is later than
    // the last. Otherwise stores, in this order, RangeKind ("date1" for a
    // single date, else "date2"), DateFrom and DateTo, both in either mode.
    static bool store(bool single, const QDate& first, const QDate& last);
};

} // namespace quill
