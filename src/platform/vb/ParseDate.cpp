#include "platform/vb/ParseDate.h"

#include "platform/vb/AsciiDigit.h"
#include "platform/vb/DateSerial.h"

namespace quill::vb {

namespace {

// A cursor over the text being parsed.
struct Scanner {
    const QChar* p;
    const QChar* end;

    bool atEnd() const { return p == end; }
    bool peek(char16_t c) const { return p != end && *p == c; }
    bool take(char16_t c) {
        if (!peek(c))
            return false;
        ++p;
        return true;
    }
    // Reads 1 to maxDigits decimal digits; the count read goes to *count.
    bool number(int maxDigits, int* value, int* count = nullptr) {
        int n = 0;
        int v = 0;
        while (p != end && n < maxDigits && isAsciiDigit(*p)) {
            v = v * 10 + (p->unicode() - '0');
            ++p;
            ++n;
        }
        if (count)
            *count = n;
        *value = v;
        return n > 0 && !(p != end && isAsciiDigit(*p));
    }
    void skipBlanks() {
        while (p != end && (*p == u' ' || *p == u'\t'))
            ++p;
    }
};

int fullYear(int year, int digits) {
    if (digits > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<QDate> makeDate(int year, int month, int day) {
    if (year < 100 || year > 9999)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// yyyy年m月d日
std::optional<QDate> chineseDate(Scanner& s, int year, int yearDigits) {
    int month = 0;
    int day = 0;
    s.skipBlanks();
    if (!s.number(2, &month))
        return std::nullopt;
    s.skipBlanks();
    if (!s.take(u'月'))
        return std::nullopt;
    s.skipBlanks();
    if (!s.number(2, &day))
        return std::nullopt;
    s.skipBlanks();
    if (!s.take(u'日'))
        return std::nullopt;
    return makeDate(fullYear(year, yearDigits), month, day);
}

// Three numbers with one separator: y-m-d, or m-d-yyyy when the last has four
// digits.
std::optional<QDate> separatedDate(Scanner& s, int first, int firstDigits) {
    if (s.atEnd())
        return std::nullopt;
    const QChar separator = *s.p;
    if (separator != u'-' && separator != u'/' && separator != u'.')
        return std::nullopt;
    ++s.p;
    int second = 0;
    int third = 0;
    int thirdDigits = 0;
    if (!s.number(2, &second) || !s.take(separator.unicode()) || !s.number(4, &third, &thirdDigits))
        return std::nullopt;
    if (firstDigits == 4 && thirdDigits <= 2)
        return makeDate(first, second, third);
    if (firstDigits <= 2 && thirdDigits == 4)
        return makeDate(third, first, second);
    if (firstDigits <= 2 && thirdDigits <= 2)
        return makeDate(fullYear(first, firstDigits), second, third);
    return std::nullopt;
}

// h:mm[:ss[.fff]] with the hour already read.
std::optional<QTime> timeAfterHour(Scanner& s, int hour) {
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    if (!s.take(u':') || !s.number(2, &minute))
        return std::nullopt;
    if (s.take(u':')) {
        if (!s.number(2, &second))
            return std::nullopt;
        if (s.take(u'.')) {
            int digits = 0;
            int fraction = 0;
            if (!s.number(3, &fraction, &digits)) {
                // more than three fraction digits: keep milliseconds only
                if (digits != 3)
                    return std::nullopt;
                while (!s.atEnd() && isAsciiDigit(*s.p))
                    ++s.p;
            }
            for (int i = digits; i < 3; ++i)
                fraction *= 10;
            millisecond = fraction;
        }
    }
    s.take(u'Z');
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return QTime(hour, minute, second, millisecond);
}

// Whether the text is exactly yyyy-mm-dd, hh:mm:ss[.f…] or both joined by a
// blank (its values already checked by the parser).
bool isStoredForm(QStringView text, bool withDate, bool withTime) {
    const auto digitsAt = [&](qsizetype at, qsizetype count) {
        for (qsizetype i = at; i < at + count; ++i) {
            if (i >= text.size() || !isAsciiDigit(text[i]))
                return false;
        }
        return true;
    };
    qsizetype at = 0;
    if (withDate) {
        if (!digitsAt(0, 4) || text.mid(4, 1) != u"-" || !digitsAt(5, 2) ||
            text.mid(7, 1) != u"-" || !digitsAt(8, 2))
            return false;
        at = 10;
        if (withTime) {
            if (text.mid(at, 1) != u" ")
                return false;
            ++at;
        }
    }
    if (withTime) {
        if (!digitsAt(at, 2) || text.mid(at + 2, 1) != u":" || !digitsAt(at + 3, 2) ||
            text.mid(at + 5, 1) != u":" || !digitsAt(at + 6, 2))
            return false;
        at += 8;
        if (text.mid(at, 1) == u".") {
            ++at;
            if (!digitsAt(at, 1))
                return false;
            while (at < text.size() && isAsciiDigit(text[at]))
                ++at;
        }
    }
    return at == text.size();
}

} // namespace

std::optional<DateParts> ParseDateParts(QStringView text) {
    text = text.trimmed();
    Scanner s{text.data(), text.data() + text.size()};

    int first = 0;
    int firstDigits = 0;
    s.number(4, &first, &firstDigits);
    if (firstDigits == 0)
        return std::nullopt;

    if (s.peek(u':')) {
        if (firstDigits > 2)
            return std::nullopt;
        const auto time = timeAfterHour(s, first);
        if (!time || !s.atEnd())
            return std::nullopt;
        return DateParts{std::nullopt, time};
    }

    std::optional<QDate> date;
    Scanner afterYear = s;
    afterYear.skipBlanks();
    if (afterYear.take(u'年')) {
        date = chineseDate(afterYear, first, firstDigits);
        s = afterYear;
    } else {
        date = separatedDate(s, first, firstDigits);
    }
    if (!date)
        return std::nullopt;
    if (s.atEnd())
        return DateParts{date, std::nullopt};

    if (!s.take(u'T')) {
        const QChar* beforeBlanks = s.p;
        s.skipBlanks();
        if (s.p == beforeBlanks)
            return std::nullopt;
    }
    int hour = 0;
    if (!s.number(2, &hour))
        return std::nullopt;
    const auto time = timeAfterHour(s, hour);
    if (!time || !s.atEnd())
        return std::nullopt;
    return DateParts{date, time};
}

std::optional<QDateTime> ParseDate(QStringView text) {
    const auto parts = ParseDateParts(text);
    if (!parts)
        return std::nullopt;
    return QDateTime(parts->date.value_or(zeroDate()), parts->time.value_or(QTime(0, 0)), Qt::UTC);
}

std::optional<QString> IsoDateText(QStringView text, IsoPart part) {
    const auto parts = ParseDateParts(text);
    if (!parts)
        return std::nullopt;
    const bool withDate = part == IsoPart::Date || (part == IsoPart::Held && parts->date);
    const bool withTime = part == IsoPart::Time || (part == IsoPart::Held && parts->time);
    if (isStoredForm(text, withDate, withTime))
        return text.toString();
    QString iso;
    if (withDate)
        iso = parts->date.value_or(zeroDate()).toString(QStringLiteral("yyyy-MM-dd"));
    if (withDate && withTime)
        iso += u' ';
    if (withTime) {
        const QTime time = parts->time.value_or(QTime(0, 0));
        iso += time.toString(time.msec() ? QStringLiteral("HH:mm:ss.zzz")
                                         : QStringLiteral("HH:mm:ss"));
    }
    return iso;
}

} // namespace quill::vb
