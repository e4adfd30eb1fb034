#include "TemporalText.h"

#include <QRegularExpression>

namespace quill {

namespace {

bool digits(const char* s, int count, int* value) {
    int v = 0;
    for (int i = 0; i < count; ++i) {
        const char c = s[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    *value = v;
    return true;
}

// Parses a zone suffix (Z, +hh, +hh:mm, +hhmm) into seconds east of UTC.
bool parseZone(const char* s, int length, int* offset) {
    if (length == 1 && (s[0] == 'Z' || s[0] == 'z')) {
        *offset = 0;
        return true;
    }
    if (length < 3 || (s[0] != '+' && s[0] != '-'))
        return false;
    int hours = 0;
    int minutes = 0;
    if (!digits(s + 1, 2, &hours))
        return false;
    if (length == 6 && s[3] == ':') {
        if (!digits(s + 4, 2, &minutes))
            return false;
    } else if (length == 5) {
        if (!digits(s + 3, 2, &minutes))
            return false;
    } else if (length != 3) {
        return false;
    }
    *offset = (s[0] == '-' ? -1 : 1) * (hours * 3600 + minutes * 60);
    return true;
}

} // namespace

bool TemporalText::parseDate(const char* s, int length, QDate* date) {
    int y = 0;
    int m = 0;
    int d = 0;
    if (length != 10 || s[4] != '-' || s[7] != '-' || !digits(s, 4, &y) || !digits(s + 5, 2, &m) ||
        !digits(s + 8, 2, &d))
        return false;
    *date = QDate(y, m, d);
    return date->isValid();
}

bool TemporalText::parseTime(const char* s, int length, QTime* time) {
    int h = 0;
    int m = 0;
    int sec = 0;
    int ms = 0;
    if (length < 5 || s[2] != ':' || !digits(s, 2, &h) || !digits(s + 3, 2, &m))
        return false;
    if (length > 5) {
        if (length < 8 || s[5] != ':' || !digits(s + 6, 2, &sec))
            return false;
        if (length > 8) {
            if (s[8] != '.' || length == 9)
                return false;
            for (int i = 9; i < length; ++i) {
                if (s[i] < '0' || s[i] > '9' || (i >= 12 && s[i] != '0'))
                    return false;
                if (i < 12)
                    ms = ms * 10 + (s[i] - '0');
            }
            for (int i = length; i < 12; ++i)
                ms *= 10;
        }
    }
    *time = QTime(h, m, sec, ms);
    return time->isValid();
}

bool TemporalText::parseDateTime(const char* s, int length, QDateTime* dateTime) {
    QDate date;
    if (length < 10 || !parseDate(s, 10, &date))
        return false;
    if (length == 10) {
        *dateTime = QDateTime(date, QTime(0, 0));
        return true;
    }
    if (s[10] != ' ' && s[10] != 'T')
        return false;
    int end = length;
    for (int i = 19; i < length; ++i) {
        if (s[i] == '+' || s[i] == '-' || s[i] == 'Z' || s[i] == 'z') {
            end = i;
            break;
        }
    }
    QTime time;
    if (!parseTime(s + 11, end - 11, &time))
        return false;
    if (end == length) {
        *dateTime = QDateTime(date, time);
        return true;
    }
    int offset = 0;
    if (!parseZone(s + end, length - end, &offset))
        return false;
    *dateTime = QDateTime(date, time, Qt::OffsetFromUTC, offset).toLocalTime();
    return true;
}

QVariant TemporalText::parse(const char* s, int length, FieldKind kind) {
    switch (kind) {
    case FieldKind::Date: {
        QDate d;
        if (parseDate(s, length, &d))
            return d;
        break;
    }
    case FieldKind::Time: {
        QTime t;
        if (parseTime(s, length, &t))
            return t;
        break;
    }
    case FieldKind::DateTime: {
        QDateTime dt;
        if (parseDateTime(s, length, &dt))
            return dt;
        break;
    }
    default:
        break;
    }
    return {};
}

namespace {

// Writes value as width digits at out.
char* putDigits(char* out, int value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + width;
}

} // namespace

QString TemporalText::formatDate(const QDate& date) {
    int y = 0;
    int m = 0;
    int d = 0;
    date.getDate(&y, &m, &d);
    if (y < 0 || y > 9999)
        return date.toString(Qt::ISODate);
    char text[10];
    char* p = putDigits(text, y, 4);
    *p++ = '-';
    p = putDigits(p, m, 2);
    *p++ = '-';
    putDigits(p, d, 2);
    return QString::fromLatin1(text, 10);
}

QString TemporalText::formatTime(const QTime& time) {
    char text[12];
    char* p = putDigits(text, time.hour(), 2);
    *p++ = ':';
    p = putDigits(p, time.minute(), 2);
    *p++ = ':';
    p = putDigits(p, time.second(), 2);
    if (time.msec()) {
        *p++ = '.';
        p = putDigits(p, time.msec(), 3);
    }
    return QString::fromLatin1(text, p - text);
}

QString TemporalText::formatDateTime(const QDateTime& dateTime) {
    return formatDate(dateTime.date()) + QLatin1Char(' ') + formatTime(dateTime.time());
}

bool TemporalText::finerThanMilliseconds(const QString& text) {
    static const QRegularExpression form(QStringLiteral(
        R"(^(?:\d{4}-\d{2}-\d{2}[ T])?\d{2}:\d{2}:\d{2}\.\d{4,}(?:Z|[+-]\d{2}(?::?\d{2})?)?$)"));
    return form.match(text).hasMatch();
}

} // namespace quill
