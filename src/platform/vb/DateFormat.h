#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <vector>

#include "platform/vb/FormatCodes.h"

namespace quill::vb {

// A compiled date/time format text. Codes (case does not matter): yyyy, yy,
// y (day of year), q, m, mm, mmm, mmmm, d, dd, ddd, dddd, ddddd (short date),
// dddddd (long date), w, ww, h, hh, n, nn, s, ss, ttttt (time), c (date and
// time as plain text), AM/PM, am/pm, A/P, a/p, AMPM. "m"/"mm" right after an
// hour or right before a second is the minute. Anything else (quoted, after a
// backslash, or any other character such as "-", ":", "年") is literal.
// Workbook codes (see FormatCodes) use the first section and add elapsed time
// ("[h]:mm:ss"), fractions of a second ("ss.00") and "上午/下午".
class DateFormat {
public:
    static DateFormat compile(QStringView format, FormatCodes codes = FormatCodes::Module);

    QString apply(const QDateTime& value) const;
    // Elapsed time is counted from the serial number, the rest from the moment.
    QString apply(const QDateTime& value, double serial) const;
    // Digits of the fractions of a second shown (0 to 3).
    int secondDecimals() const { return m_secondDecimals; }

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
        ElapsedHours,
        ElapsedMinutes,
        ElapsedSeconds,
        SecondFraction,
    };
    struct Token {
        Code code;
        QString text{}; // Literal
        int width = 0;  // Elapsed*: least digits; SecondFraction: digits
    };

    void add(Code code, const QString& text = {});

    std::vector<Token> m_tokens;
    bool m_twelveHour = false;
    int m_secondDecimals = 0;
};

} // namespace quill::vb
