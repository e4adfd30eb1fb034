#include "HashDialect.h"

#include "platform/db/SqlScanner.h"
#include "platform/vb/AsciiDigit.h"
#include "platform/vb/ParseDate.h"

namespace quill {

namespace {

const int maxLiteralLength = 40;

// A #…# literal's text as a quoted literal: a text the date parser accepts
// in its stored ISO form, any other text as it stands (it holds no quote).
QString quotedTemporal(const QString& inner) {
    return QLatin1Char('\'') + vb::IsoDateText(inner, vb::IsoPart::Held).value_or(inner) +
           QLatin1Char('\'');
}

// What a date or time can be written with, in every form the date parser
// reads (and the AM/PM letters people add). No quote, '#' or line end.
bool isTemporalChar(QChar c) {
    static const QString others = QStringLiteral("-/.: \tTZAPMapm年月日");
    return vb::isAsciiDigit(c) || others.contains(c);
}

// The closing '#' of a date/time literal opening at i; -1 when it is none.
qsizetype temporalEnd(const QString& sql, qsizetype i) {
    if (i > 0 && SqlScanner::isWordChar(sql.at(i - 1)))
        return -1;
    const qsizetype limit = qMin(sql.size(), i + 1 + maxLiteralLength);
    for (qsizetype j = i + 1; j < limit; ++j) {
        const QChar c = sql.at(j);
        if (c == QLatin1Char('#'))
            return j > i + 1 && vb::isAsciiDigit(sql.at(i + 1)) ? j : -1;
        if (!isTemporalChar(c))
            return -1;
    }
    return -1;
}

// The '(' of an isnull( call starting at i; -1 when there is none.
qsizetype isnullParen(const QString& sql, qsizetype i) {
    static const QLatin1String word("isnull");
    if (i > 0 && (SqlScanner::isWordChar(sql.at(i - 1)) || sql.at(i - 1) == QLatin1Char('.')))
        return -1;
    if (QStringView(sql).mid(i, word.size()).compare(word, Qt::CaseInsensitive) != 0)
        return -1;
    qsizetype j = i + word.size();
    while (j < sql.size() && sql.at(j).isSpace())
        ++j;
    return j < sql.size() && sql.at(j) == QLatin1Char('(') ? j : -1;
}

// Two quoted literals side by side would read as one with a doubled quote
// inside; a blank keeps them two, as they were.
void keepApart(QString& out) {
    if (out.endsWith(QLatin1Char('\'')))
        out += QLatin1Char(' ');
}

} // namespace

QString HashDialect::translate(const QString& sql) {
    QString out;
    out.reserve(sql.size() + 16);
    qsizetype i = 0;
    const qsizetype n = sql.size();
    while (i < n) {
        const qsizetype skipped = SqlScanner::skipQuoted(sql, i);
        if (skipped != i) {
            if (sql.at(i) == QLatin1Char('\''))
                keepApart(out);
            out += QStringView(sql).mid(i, skipped - i);
            i = skipped;
            continue;
        }
        const QChar c = sql.at(i);
        if (c == QLatin1Char('#')) {
            const qsizetype end = temporalEnd(sql, i);
            if (end > 0) {
                keepApart(out);
                out += quotedTemporal(sql.mid(i + 1, end - i - 1));
                i = end + 1;
                continue;
            }
        } else if (c == QLatin1Char('i') || c == QLatin1Char('I')) {
            const qsizetype open = isnullParen(sql, i);
            const qsizetype close = open < 0 ? -1 : SqlScanner::matchingParen(sql, open);
            if (close > 0) {
                out += QLatin1Char('(') + translate(sql.mid(open + 1, close - open - 2)) +
                       QLatin1String(") is null");
                // "isnull(a)or" must not become "… is nullor".
                if (close < n && SqlScanner::isWordChar(sql.at(close)))
                    out += QLatin1Char(' ');
                i = close;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

} // namespace quill
