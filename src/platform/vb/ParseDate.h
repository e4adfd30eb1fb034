#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <optional>

namespace quill::vb {

// The date parser every date rule of the module uses. Accepted (blanks around
// the whole allowed):
//   yyyy-m-d, yyyy/m/d, yyyy.m.d   (one or two digits for month and day)
//   yy-m-d and the like            (years 00-29 are 2000-2029, 30-99 1930-1999)
//   m/d/yyyy, m-d-yyyy, m.d.yyyy
//   yyyy年m月d日
// each optionally followed by blanks or "T" and a time, and a time alone:
//   h:mm, h:mm:ss, h:mm:ss.fff     (an optional trailing "Z")
// Invalid days (2026-02-30), months (13) and times (24:00, 12:60) are refused.
// A time alone lies on the zero date 1899-12-30; a date alone at midnight.
std::optional<QDateTime> ParseDate(QStringView text);

// What a text that ParseDate accepts holds: a date, a time of day, or both.
struct DateParts {
    std::optional<QDate> date;
    std::optional<QTime> time;
};
std::optional<DateParts> ParseDateParts(QStringView text);

// Which parts of an accepted text its stored form keeps.
enum class IsoPart {
    Date, // yyyy-mm-dd; a time alone lies on the zero date
    Time, // hh:mm:ss, with .zzz when it has milliseconds; a date alone is midnight
    Held, // the date, the time or both joined by a blank, as the text holds them
};
// An accepted text in the form the databases store, so that a date typed in
// any accepted form compares as the same date on every engine. A text that
// is already in that form comes back unchanged, finer fractions included.
// None when ParseDate refuses the text.
std::optional<QString> IsoDateText(QStringView text, IsoPart part);

} // namespace quill::vb
