#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <vector>

namespace quill::vb {

// A compiled date/time format text. Codes (case does not matter): yyyy, yy,
// y (day of year), q, m, mm, mmm, mmmm, d, dd, ddd, dddd, ddddd (short date),
// dddddd (long date), w, ww, h, hh, n, nn, s, ss, ttttt (time), c (date and
// time as plain text), AM/PM, am/pm, A/P, a/p, AMPM. "m"/"mm" right after an
// hour or right before a second is the minute. Anything else (quoted, after a
// backslash, or any other character such as "-", ":", "年") is literal.
class DateFormat {
public:
    static DateFormat compile(QStringView format);

    QString apply(const QDateTime& value) const;

private:
    enum class Code {
        Literal,
        Year4,
        Year2,
        DayOfYear,
        Quarter,
        Month1,
        Month2,
        MonthShort,
        MonthLong,
        Day1,
        Day2,
        WeekdayShort,
        WeekdayLong,
        ShortDate,
        LongDate,
        Weekday,
        Week,
        Hour1,
        Hour2,
        Minute1,
        Minute2,
        Second1,
        Second2,
        Time,
        General,
        AmPmUpper,
        AmPmLower,
        APUpper,
        APLower,
        AmPmLocale,
    };
    struct Token {
        Code code;
        QString text{}; // Literal
    };

    void add(Code code, const QString& text = {});

    std::vector<Token> m_tokens;
    bool m_twelveHour = false;
};

} // namespace quill::vb
