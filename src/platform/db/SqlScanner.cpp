#include "SqlScanner.h"

namespace quill {

namespace {

qsizetype skipDelimited(const QString& sql, qsizetype i, QChar close, bool doubled) {
    const qsizetype n = sql.size();
    for (qsizetype j = i + 1; j < n; ++j) {
        if (sql.at(j) != close)
            continue;
        if (doubled && j + 1 < n && sql.at(j + 1) == close) {
            ++j;
            continue;
        }
        return j + 1;
    }
    return n;
}

} // namespace

qsizetype SqlScanner::skipQuoted(const QString& sql, qsizetype i) {
    const qsizetype n = sql.size();
    if (i >= n)
        return i;
    const QChar c = sql.at(i);
    if (c == QLatin1Char('\''))
        return skipDelimited(sql, i, QLatin1Char('\''), true);
    if (c == QLatin1Char('"'))
        return skipDelimited(sql, i, QLatin1Char('"'), true);
    if (c == QLatin1Char('`'))
        return skipDelimited(sql, i, QLatin1Char('`'), true);
    if (c == QLatin1Char('['))
        return skipDelimited(sql, i, QLatin1Char(']'), false);
    if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
        const qsizetype end = sql.indexOf(QLatin1Char('\n'), i);
        return end < 0 ? n : end + 1;
    }
    if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
        const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
        return end < 0 ? n : end + 2;
    }
    return i;
}

qsizetype SqlScanner::matchingParen(const QString& sql, qsizetype open) {
    int depth = 0;
    qsizetype i = open;
    const qsizetype n = sql.size();
    while (i < n) {
        const qsizetype skipped = skipQuoted(sql, i);
        if (skipped != i) {
            i = skipped;
            continue;
        }
        const QChar c = sql.at(i);
        if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            if (--depth == 0)
                return i + 1;
        }
        ++i;
    }
    return -1;
}

} // namespace quill
