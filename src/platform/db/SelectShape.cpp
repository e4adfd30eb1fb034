#include "SelectShape.h"

#include "platform/db/SqlScanner.h"

#include <QStringList>

#include <algorithm>

namespace quill {

namespace {

struct Token {
    QString text; // lower-cased word, or the punctuation character
    QString raw;
    qsizetype start = 0;
    qsizetype end = 0;
    int depth = 0;
    bool word = false;
};

// The command's tokens with their parenthesis depth; literals and comments
// are left out, quoted identifiers kept as words.
QList<Token> tokens(const QString& sql) {
    QList<Token> list;
    int depth = 0;
    qsizetype i = 0;
    const qsizetype n = sql.size();
    while (i < n) {
        const QChar c = sql.at(i);
        const qsizetype skipped = SqlScanner::skipQuoted(sql, i);
        if (skipped != i) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
                const QString raw = sql.mid(i, skipped - i);
                list.append({raw, raw, i, skipped, depth, true});
            } else if (c == QLatin1Char('\'')) {
                list.append({QStringLiteral("'"), QString(), i, skipped, depth, false});
            }
            i = skipped;
            continue;
        }
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (SqlScanner::isWordChar(c)) {
            qsizetype j = i;
            while (j < n && (SqlScanner::isWordChar(sql.at(j)) || sql.at(j) == QLatin1Char('.') ||
                             sql.at(j) == QLatin1Char('$')))
                ++j;
            const QString raw = sql.mid(i, j - i);
            list.append({raw.toLower(), raw, i, j, depth, true});
            i = j;
            continue;
        }
        if (c == QLatin1Char(')'))
            --depth;
        list.append({QString(c), QString(c), i, i + 1, depth, false});
        if (c == QLatin1Char('('))
            ++depth;
        ++i;
    }
    return list;
}

bool isAggregate(const QString& word) {
    static const QStringList names{
        QStringLiteral("count"),        QStringLiteral("sum"),        QStringLiteral("avg"),
        QStringLiteral("min"),          QStringLiteral("max"),        QStringLiteral("total"),
        QStringLiteral("group_concat"), QStringLiteral("string_agg"), QStringLiteral("array_agg"),
        QStringLiteral("bool_and"),     QStringLiteral("bool_or"),    QStringLiteral("every")};
    return names.contains(word);
}

bool endsSingleTable(const QString& word) {
    static const QStringList allowed{QStringLiteral("where"), QStringLiteral("order"),
                                     QStringLiteral("limit"), QStringLiteral("offset")};
    return allowed.contains(word);
}

bool spoilsSingleTable(const QString& word) {
    static const QStringList words{
        QStringLiteral("group"),     QStringLiteral("having"),    QStringLiteral("join"),
        QStringLiteral("union"),     QStringLiteral("intersect"), QStringLiteral("except"),
        QStringLiteral("window"),    QStringLiteral("distinct"),  QStringLiteral("natural"),
        QStringLiteral("cross"),     QStringLiteral("inner"),     QStringLiteral("left"),
        QStringLiteral("right"),     QStringLiteral("full"),      QStringLiteral("outer"),
        QStringLiteral("returning"), QStringLiteral("into"),      QStringLiteral("with")};
    return words.contains(word);
}

} // namespace

SelectShape SelectShape::analyse(const QString& sql) {
    SelectShape shape;
    const QList<Token> list = tokens(sql);
    if (list.isEmpty() || !list.first().word || list.first().text != QLatin1String("select"))
        return shape;
    qsizetype from = -1;
    for (qsizetype k = 1; k < list.size(); ++k) {
        const Token& t = list.at(k);
        if (t.depth != 0)
            continue;
        if (t.word && (spoilsSingleTable(t.text) || t.text == QLatin1String("all")))
            return shape;
        if (t.word && k + 1 < list.size() && list.at(k + 1).text == QLatin1String("(") &&
            isAggregate(t.text))
            return shape;
        if (from < 0 && t.word && t.text == QLatin1String("from"))
            from = k;
        // A statement ends at its semicolon; only more of them may follow.
        if (t.text == QLatin1String(";") &&
            std::any_of(list.begin() + k + 1, list.end(),
                        [](const Token& next) { return next.text != QLatin1String(";"); }))
            return shape;
    }
    if (from < 0 || from + 1 >= list.size() || !list.at(from + 1).word)
        return shape;
    // After the table: an optional alias, then the end or a where/order/limit.
    qsizetype k = from + 2;
    if (k < list.size() && list.at(k).word && list.at(k).text == QLatin1String("as"))
        ++k;
    if (k < list.size() && list.at(k).word && !endsSingleTable(list.at(k).text))
        ++k;
    if (k < list.size()) {
        const Token& next = list.at(k);
        if (!(next.word && endsSingleTable(next.text)) && next.text != QLatin1String(";"))
            return shape;
    }
    shape.m_singleTable = true;
    shape.m_table = list.at(from + 1).raw;
    shape.m_listStart = list.first().end;
    return shape;
}

QString SelectShape::limited(const QString& sql, int records) {
    static const QStringList bounding{QStringLiteral("limit"), QStringLiteral("offset"),
                                      QStringLiteral("fetch"), QStringLiteral("for"),
                                      QStringLiteral("into")};
    const QList<Token> list = tokens(sql);
    if (list.isEmpty() || list.first().text != QLatin1String("select"))
        return {};
    qsizetype end = sql.size();
    for (const Token& t : list) {
        if (t.depth != 0)
            continue;
        if (end < sql.size() && t.text != QLatin1String(";"))
            return {}; // a second statement
        if (t.text == QLatin1String(";"))
            end = std::min(end, t.start);
        else if (t.word && bounding.contains(t.text))
            return {};
    }
    // On a line of its own: a trailing line comment would swallow it.
    return sql.left(end) + QStringLiteral("\nlimit ") + QString::number(records);
}

QString SelectShape::withIdentity(const QString& sql, const QString& identityExpression) const {
    return sql.left(m_listStart) + QLatin1Char(' ') + identityExpression + QLatin1Char(',') +
           sql.mid(m_listStart);
}

} // namespace quill
