#pragma once

#include "platform/db/FieldKind.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>

namespace quill {

// Dates and times as the databases hold them in text: 'yyyy-mm-dd',
// 'hh:mm:ss[.fff]' and 'yyyy-mm-dd hh:mm:ss[.fff]' (a 'T' also separates).
// The parsers take UTF-8 bytes straight from the engine and reject anything
// else, so such text stays text; so does a value with a fraction of a
// second finer than a millisecond, which the Qt types cannot hold.
class TemporalText {
public:
    static bool parseDate(const char* s, int length, QDate* date);
    static bool parseTime(const char* s, int length, QTime* time);
    // A date alone counts as its midnight; a trailing zone (+08, -05:30, Z)
    // is honoured and the result given in local time.
    static bool parseDateTime(const char* s, int length, QDateTime* dateTime);
    // The date, time or date-time a column of the kind holds in the text;
    // invalid for other kinds or text that does not parse.
    static QVariant parse(const char* s, int length, FieldKind kind);

    static QString formatDate(const QDate& date);
    static QString formatTime(const QTime& time);
    static QString formatDateTime(const QDateTime& dateTime);

    // Whether text is a stored time or date-time whose fraction of a second
    // is finer than a millisecond (kept as text, so it is written back exact).
    static bool finerThanMilliseconds(const QString& text);
};

} // namespace quill
