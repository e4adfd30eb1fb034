#include "platform/vb/DateFormat.h"

#include "platform/vb/DateSerial.h"
#include "platform/vb/FormatSyntax.h"
#include "platform/vb/PlainText.h"

#include <QLocale>

#include <cmath>

namespace quill::vb {

namespace {

bool startsWith(QStringView text, qsizetype at, QStringView what) {
    return text.mid(at, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

const QLocale& chinese() {
    static const QLocale locale(QLocale::Chinese, QLocale::China);
    return locale;
}

// A non-negative number, with leading zeros up to width digits.
void appendNumber(QString& out, int value, int width) {
    char digits[12];
    int length = 0;
    do {
        digits[length++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int k = length; k < width; ++k)
        out.append(u'0');
    while (length > 0)
        out.append(QChar(digits[--length]));
}

} // namespace

void DateFormat::add(Code code, const QString& text) {
    if (code == Code::Literal && !m_tokens.empty() && m_tokens.back().code == Code::Literal)
        m_tokens.back().text.append(text);
    else
        m_tokens.push_back({code, text});
}

DateFormat DateFormat::compile(QStringView wholeFormat, FormatCodes codes) {
    DateFormat f;
    const bool workbook = isWorkbook(codes);
    // Dates are never negative in a workbook: the first section is theirs.
    const QStringView format =
        workbook ? FormatSyntax::sections(wholeFormat, codes).front() : wholeFormat;
    const qsizetype n = format.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = format[i];
        if (workbook && c == u'[') {
            const FormatSyntax::Bracket b = FormatSyntax::bracket(format, i);
            using Kind = FormatSyntax::Bracket::Kind;
            if (b.kind == Kind::Literal)
                f.add(Code::Literal, b.text);
            else if (b.kind != Kind::Ignored)
                f.m_tokens.push_back({b.kind == Kind::ElapsedHours     ? Code::ElapsedHours
                                      : b.kind == Kind::ElapsedMinutes ? Code::ElapsedMinutes
                                                                       : Code::ElapsedSeconds,
                                      {},
                                      b.width});
            i = b.end;
            continue;
        }
        if (workbook && (c == u'_' || c == u'*')) {
            if (c == u'_')
                f.add(Code::Literal, QStringLiteral(" "));
            i += 2;
            continue;
        }
        if (workbook && c == u'@') {
            ++i;
            continue;
        }
        if (workbook && c == u'.' && !f.m_tokens.empty() && i + 1 < n && format[i + 1] == u'0' &&
            (f.m_tokens.back().code == Code::Second1 || f.m_tokens.back().code == Code::Second2 ||
             f.m_tokens.back().code == Code::ElapsedSeconds)) {
            qsizetype zeros = 0;
            while (i + 1 + zeros < n && format[i + 1 + zeros] == u'0')
                ++zeros;
            f.m_secondDecimals = int(std::min<qsizetype>(zeros, 3));
            f.add(Code::Literal, QStringLiteral("."));
            f.m_tokens.push_back({Code::SecondFraction, {}, f.m_secondDecimals});
            i += 1 + zeros;
            continue;
        }
        if (workbook && startsWith(format, i, u"上午/下午")) {
            f.add(Code::AmPmLocale);
            i += 5;
            continue;
        }
        if (c == u'"') {
            qsizetype j = i + 1;
            while (j < n && format[j] != u'"')
                ++j;
            f.add(Code::Literal, format.mid(i + 1, j - i - 1).toString());
            i = j + 1;
            continue;
        }
        if (c == u'\\') {
            if (i + 1 < n)
                f.add(Code::Literal, QString(format[i + 1]));
            i += 2;
            continue;
        }
        if (startsWith(format, i, u"AM/PM")) {
            f.add(c == u'A' ? Code::AmPmUpper : Code::AmPmLower);
            i += 5;
            continue;
        }
        if (startsWith(format, i, u"A/P")) {
            f.add(c == u'A' ? Code::APUpper : Code::APLower);
            i += 3;
            continue;
        }
        if (startsWith(format, i, u"AMPM")) {
            f.add(Code::AmPmLocale);
            i += 4;
            continue;
        }
        const QChar lower = c.toLower();
        qsizetype run = 1;
        while (i + run < n && format[i + run].toLower() == lower)
            ++run;
        switch (lower.unicode()) {
        case u'y':
            if (workbook) {
                f.add(run >= 3 ? Code::Year4 : Code::Year2);
            } else if (run >= 4) {
                f.add(Code::Year4);
            } else if (run >= 2) {
                f.add(Code::Year2);
                if (run == 3)
                    f.add(Code::DayOfYear);
            } else {
                f.add(Code::DayOfYear);
            }
            break;
        case u'm':
            f.add(run == 1   ? Code::Month1
                  : run == 2 ? Code::Month2
                  : run == 3 ? Code::MonthShort
                             : Code::MonthLong);
            break;
        case u'd': {
            static constexpr Code days[] = {Code::Day1,        Code::Day2,      Code::WeekdayShort,
                                            Code::WeekdayLong, Code::ShortDate, Code::LongDate};
            f.add(days[std::min<qsizetype>(workbook ? std::min<qsizetype>(run, 4) : run, 6) - 1]);
            break;
        }
        case u'h':
            f.add(run == 1 ? Code::Hour1 : Code::Hour2);
            break;
        case u'n':
            f.add(run == 1 ? Code::Minute1 : Code::Minute2);
            break;
        case u's':
            f.add(run == 1 ? Code::Second1 : Code::Second2);
            break;
        case u'w':
            f.add(run == 1 ? Code::Weekday : Code::Week);
            break;
        case u'q':
            for (qsizetype k = 0; k < run; ++k)
                f.add(Code::Quarter);
            break;
        case u'c':
            for (qsizetype k = 0; k < run; ++k)
                f.add(Code::General);
            break;
        case u't':
            if (run >= 5)
                f.add(Code::Time);
            else
                f.add(Code::Literal, format.mid(i, run).toString());
            break;
        default:
            f.add(Code::Literal, format.mid(i, run).toString());
            break;
        }
        i += run;
    }

    // "mm" between an hour and a second is the minute.
    auto codeAt = [&](qsizetype at) { return f.m_tokens[size_t(at)].code; };
    const qsizetype count = qsizetype(f.m_tokens.size());
    for (qsizetype k = 0; k < count; ++k) {
        const Code code = codeAt(k);
        if (code == Code::AmPmUpper || code == Code::AmPmLower || code == Code::APUpper ||
            code == Code::APLower || code == Code::AmPmLocale)
            f.m_twelveHour = true;
        if (code != Code::Month1 && code != Code::Month2)
            continue;
        qsizetype before = k - 1;
        while (before >= 0 && codeAt(before) == Code::Literal)
            --before;
        qsizetype after = k + 1;
        while (after < count && codeAt(after) == Code::Literal)
            ++after;
        const bool afterHour =
            before >= 0 && (codeAt(before) == Code::Hour1 || codeAt(before) == Code::Hour2 ||
                            codeAt(before) == Code::ElapsedHours);
        const bool beforeSecond =
            after < count && (codeAt(after) == Code::Second1 || codeAt(after) == Code::Second2 ||
                              codeAt(after) == Code::ElapsedSeconds);
        if (afterHour || beforeSecond)
            f.m_tokens[size_t(k)].code = code == Code::Month1 ? Code::Minute1 : Code::Minute2;
    }
    return f;
}

QString DateFormat::apply(const QDateTime& value) const {
    return apply(value, DateSerial(value));
}

QString DateFormat::apply(const QDateTime& value, double serial) const {
    const QDate date = value.date();
    const QTime time = value.time();
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const int hour = m_twelveHour ? hour12 : time.hour();
    const bool pm = time.hour() >= 12;
    const int weekday = date.dayOfWeek() % 7 + 1; // Sunday is 1
    QString out;
    out.reserve(20);
    for (const Token& token : m_tokens) {
        switch (token.code) {
        case Code::Literal:
            out.append(token.text);
            break;
        case Code::Year4:
            appendNumber(out, date.year(), 4);
            break;
        case Code::Year2:
            appendNumber(out, date.year() % 100, 2);
            break;
        case Code::DayOfYear:
            appendNumber(out, date.dayOfYear(), 1);
            break;
        case Code::Quarter:
            appendNumber(out, (date.month() + 2) / 3, 1);
            break;
        case Code::Month1:
            appendNumber(out, date.month(), 1);
            break;
        case Code::Month2:
            appendNumber(out, date.month(), 2);
            break;
        case Code::MonthShort:
            out.append(chinese().monthName(date.month(), QLocale::ShortFormat));
            break;
        case Code::MonthLong:
            out.append(chinese().monthName(date.month(), QLocale::LongFormat));
            break;
        case Code::Day1:
            appendNumber(out, date.day(), 1);
            break;
        case Code::Day2:
            appendNumber(out, date.day(), 2);
            break;
        case Code::WeekdayShort:
            out.append(chinese().dayName(date.dayOfWeek(), QLocale::ShortFormat));
            break;
        case Code::WeekdayLong:
            out.append(chinese().dayName(date.dayOfWeek(), QLocale::LongFormat));
            break;
        case Code::ShortDate:
            appendNumber(out, date.year(), 4);
            out.append(u'-');
            appendNumber(out, date.month(), 2);
            out.append(u'-');
            appendNumber(out, date.day(), 2);
            break;
        case Code::LongDate:
            appendNumber(out, date.year(), 4);
            out.append(u'年');
            appendNumber(out, date.month(), 1);
            out.append(u'月');
            appendNumber(out, date.day(), 1);
            out.append(u'日');
            break;
        case Code::Weekday:
            appendNumber(out, weekday, 1);
            break;
        case Code::Week: {
            const int firstWeekday = QDate(date.year(), 1, 1).dayOfWeek() % 7; // Sunday 0
            appendNumber(out, (date.dayOfYear() - 1 + firstWeekday) / 7 + 1, 1);
            break;
        }
        case Code::Hour1:
            appendNumber(out, hour, 1);
            break;
        case Code::Hour2:
            appendNumber(out, hour, 2);
            break;
        case Code::Minute1:
            appendNumber(out, time.minute(), 1);
            break;
        case Code::Minute2:
            appendNumber(out, time.minute(), 2);
            break;
        case Code::Second1:
            appendNumber(out, time.second(), 1);
            break;
        case Code::Second2:
            appendNumber(out, time.second(), 2);
            break;
        case Code::Time:
            out.append(TimeText(time));
            break;
        case Code::General:
            out.append(DateTimeText(value));
            break;
        case Code::AmPmUpper:
            out.append(pm ? u"PM" : u"AM");
            break;
        case Code::AmPmLower:
            out.append(pm ? u"pm" : u"am");
            break;
        case Code::APUpper:
            out.append(pm ? u'P' : u'A');
            break;
        case Code::APLower:
            out.append(pm ? u'p' : u'a');
            break;
        case Code::AmPmLocale:
            out.append(pm ? u"下午" : u"上午");
            break;
        case Code::ElapsedHours:
        case Code::ElapsedMinutes:
        case Code::ElapsedSeconds: {
            const double seconds = std::floor(std::fabs(serial) * 86400.0 + 0.5);
            const double unit = token.code == Code::ElapsedHours     ? 3600.0
                                : token.code == Code::ElapsedMinutes ? 60.0
                                                                     : 1.0;
            if (serial < 0 && seconds > 0)
                out.append(u'-');
            out.append(QString::number(std::floor(seconds / unit), 'f', 0)
                           .rightJustified(token.width, u'0'));
            break;
        }
        case Code::SecondFraction: {
            int part = time.msec();
            for (int k = token.width; k < 3; ++k)
                part /= 10;
            appendNumber(out, part, token.width);
            break;
        }
        }
    }
    return out;
}

} // namespace quill::vb
