#include "HashDialect.h"

#include "platform/db/SqlScanner.h"
#include "platform/db/TemporalText.h"

#include <QRegularExpression>

namespace quill {

namespace {

const int maxLiteralLength = 40;

// A #…# literal's text as a quoted literal in the stored form; a slashed
// date with the year last is read month first, the hash dialect's order.
QString quotedTemporal(const QString& inner) {
    static const QRegularExpression monthFirst(
        QStringLiteral(R"(^\s*(\d{1,2})/(\d{1,2})/(\d{4})(.*)$)"));
    QString text = inner;
    const QRegularExpressionMatch m = monthFirst.match(text);
    if (m.hasMatch())
        text = m.captured(3) + QLatin1Char('-') + m.captured(1) + QLatin1Char('-') + m.captured(2) +
               m.captured(4);
    const QVariant value = TemporalText::parseLoose(text);
    QString literal = inner.trimmed();
    if (value.typeId() == QMetaType::QDate)
        literal = TemporalText::formatDate(value.toDate());
    else if (value.typeId() == QMetaType::QTime)
        literal = TemporalText::formatTime(value.toTime());
    else if (value.typeId() == QMetaType::QDateTime)
        literal = TemporalText::formatDateTime(value.toDateTime());
    literal.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + literal + QLatin1Char('\'');
}

bool isTemporalChar(QChar c) {
    return c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('/') || c == QLatin1Char(':') ||
           c == QLatin1Char(' ') || c == QLatin1Char('.') || c == QLatin1Char('T') ||
           c == QLatin1Char('A') || c == QLatin1Char('P') || c == QLatin1Char('M') ||
           c == QLatin1Char('a') || c == QLatin1Char('p') || c == QLatin1Char('m');
}

// The closing '#' of a date/time literal opening at i; -1 when it is none.
qsizetype temporalEnd(const QString& sql, qsizetype i) {
    if (i > 0 && SqlScanner::isWordChar(sql.at(i - 1)))
        return -1;
    const qsizetype limit = qMin(sql.size(), i + 1 + maxLiteralLength);
    for (qsizetype j = i + 1; j < limit; ++j) {
        const QChar c = sql.at(j);
        if (c == QLatin1Char('#'))
            return j > i + 1 && sql.at(i + 1).isDigit() ? j : -1;
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

} // namespace

QString HashDialect::translate(const QString& sql) {
    QString out;
    out.reserve(sql.size() + 16);
    qsizetype i = 0;
    const qsizetype n = sql.size();
    while (i < n) {
        const qsizetype skipped = SqlScanner::skipQuoted(sql, i);
        if (skipped != i) {
            out += QStringView(sql).mid(i, skipped - i);
            i = skipped;
            continue;
        }
        const QChar c = sql.at(i);
        if (c == QLatin1Char('#')) {
            const qsizetype end = temporalEnd(sql, i);
            if (end > 0) {
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
