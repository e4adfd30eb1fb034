#include "platform/db/HashDialect.h"

#include <QDate>
#include <QTime>
#include <gtest/gtest.h>

#include <random>
#include <vector>

using quill::HashDialect;

namespace {

std::string tr(const char* sql) {
    return HashDialect::translate(QString::fromUtf8(sql)).toStdString();
}

} // namespace

TEST(HashDialect, DateAndTimeLiteralsBecomeQuotedStoredForms) {
    EXPECT_EQ(tr("select * from t where d>=#2004-02-01# and d<=#2004-2-9#"),
              "select * from t where d>='2004-02-01' and d<='2004-02-09'");
    EXPECT_EQ(tr("where t=#8:05:00#"), "where t='08:05:00'");
    EXPECT_EQ(tr("where x=#2004-02-01 08:30:00#"), "where x='2004-02-01 08:30:00'");
    EXPECT_EQ(tr("where d=#02/01/2004#"), "where d='2004-02-01'"); // month first
    EXPECT_EQ(tr("where proif=false or proif=true"), "where proif=false or proif=true");
}

TEST(HashDialect, IsnullCallsBecomeIsNullTests) {
    EXPECT_EQ(tr("where isnull(name)"), "where (name) is null");
    EXPECT_EQ(tr("where ISNULL ( a )"), "where ( a ) is null");
    EXPECT_EQ(tr("where isnull(coalesce(a, (b)), c) or x=1"),
              "where (coalesce(a, (b)), c) is null or x=1");
    EXPECT_EQ(tr("where isnull(isnull(a))"), "where ((a) is null) is null");
    EXPECT_EQ(tr("where isnull(f(')'))"), "where (f(')')) is null");
}

TEST(HashDialect, NamesAndLiteralsAreLeftAlone) {
    const char* untouched[] = {
        "select myisnull(a), isnull_flag, t.isnull(b) from t",
        "select * from t where s='#2004-02-01#' and u='isnull(x)' and v='a -- b' and w='it''s #1#'",
        "select \"isnull(a)\", [#2004-01-01#] from t",
        "select a#b from t",
        "select * from t -- isnull(x) #2004-01-01#\n",
        "select * from t /* isnull(x) */",
        "select isnull from t",
        "where x = '#' or y = '#'",
    };
    for (const char* sql : untouched)
        EXPECT_EQ(tr(sql), sql);
    // After a literal with a doubled quote, translation goes on.
    EXPECT_EQ(tr("where n='O''Brien' and isnull(d)"), "where n='O''Brien' and (d) is null");
    // An unclosed call or literal is passed on for the database to refuse.
    EXPECT_EQ(tr("where isnull(a"), "where isnull(a");
    EXPECT_EQ(tr("where d=#2004-02-01"), "where d=#2004-02-01");
}

namespace {

TEST(HashDialect, EveryDateFormTheValueRulesAcceptBecomesItsIsoForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"d=#24-1-5#", "d='2024-01-05'"},
        {"d=#2024.1.5#", "d='2024-01-05'"},
        {"d=#2024-01-05 00:00#", "d='2024-01-05 00:00:00'"},
        {"d=#2024年1月5日#", "d='2024-01-05'"},
        {"d=#2024年1月5日 8:05#", "d='2024-01-05 08:05:00'"},
        {"d=#2024-01-05T08:05:00Z#", "d='2024-01-05 08:05:00'"},
        {"t=#08:30:00.123456#", "t='08:30:00.123456'"}, // stored form kept as written
        {"d=#2024-02-30#", "d='2024-02-30'"},           // refused: its characters stay
    };
    for (const auto& [sql, want] : cases)
        EXPECT_EQ(tr(sql), want) << sql;
}

TEST(HashDialect, ALiteralNeverRunsIntoTheStringBesideIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"s='a'#2004-02-01#", "s='a' '2004-02-01'"},
        {"s=#2004-02-01#'a'", "s='2004-02-01' 'a'"},
        {"s in (#2004-02-01##2004-02-02#)", "s in ('2004-02-01' '2004-02-02')"},
        {"s='it''s'#2004-02-01#'x'", "s='it''s' '2004-02-01' 'x'"},
        {"s=\"a\"#2004-02-01#", "s=\"a\"'2004-02-01'"},
        {"where isnull(a)or b=1", "where (a) is null or b=1"},
    };
    for (const auto& [sql, want] : cases)
        EXPECT_EQ(tr(sql), want) << sql;
}

// The literals, quoted names and comments of a text as SQLite reads it: kind
// and decoded content, in order.
struct Token {
    char kind; // 's' string literal, 'n' quoted name, 'c' comment
    QString content;
    bool operator==(const Token&) const = default;
};

std::vector<Token> quotedTokens(const QString& sql) {
    std::vector<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = sql.size();
    const auto delimited = [&](char kind, QChar close, bool doubled) {
        QString content;
        for (++i; i < n; ++i) {
            if (sql[i] == close) {
                if (doubled && i + 1 < n && sql[i + 1] == close) {
                    content += close;
                    ++i;
                    continue;
                }
                ++i;
                break;
            }
            content += sql[i];
        }
        tokens.push_back({kind, content});
    };
    while (i < n) {
        const QChar c = sql[i];
        if (c == '\'') {
            delimited('s', '\'', true);
        } else if (c == '"' || c == '`') {
            delimited('n', c, true);
        } else if (c == '[') {
            delimited('n', ']', false);
        } else if (sql.mid(i, 2) == "--") {
            const qsizetype end = sql.indexOf('\n', i);
            tokens.push_back({'c', sql.mid(i + 2, (end < 0 ? n : end) - i - 2)});
            i = end < 0 ? n : end + 1;
        } else if (sql.mid(i, 2) == "/*") {
            const qsizetype end = sql.indexOf("*/", i + 2);
            tokens.push_back({'c', sql.mid(i + 2, (end < 0 ? n : end) - i - 2)});
            i = end < 0 ? n : end + 2;
        } else {
            ++i;
        }
    }
    return tokens;
}

std::string describe(const std::vector<Token>& tokens) {
    std::string text;
    for (const Token& t : tokens)
        text += std::string(1, t.kind) + "[" + t.content.toStdString() + "] ";
    return text;
}

// Random hash-dialect texts, built token by token, with the literals,
// quoted names and comments the translation must leave as they are.
class Fragments {
public:
    explicit Fragments(unsigned seed)
        : m_random(seed) {}

    // The text and the tokens SQLite must read in its translation.
    std::pair<QString, std::vector<Token>> text(int depth = 0) {
        QString sql;
        std::vector<Token> want;
        const int count = 1 + pick(8);
        for (int k = 0; k < count; ++k) {
            switch (pick(depth < 2 ? 9 : 8)) {
            case 0: { // string literal
                const QString content = junk();
                append(sql, "'" + QString(content).replace("'", "''") + "'");
                want.push_back({'s', content});
                break;
            }
            case 1: { // double-quoted or backquoted name
                const QString quote = pick(2) ? "\"" : "`";
                const QString content = junk();
                append(sql, quote + QString(content).replace(quote, quote + quote) + quote);
                want.push_back({'n', content});
                break;
            }
            case 2: { // bracketed name
                const QString content = junk().remove(']');
                append(sql, "[" + content + "]");
                want.push_back({'n', content});
                break;
            }
            case 3: { // line comment
                const QString content = junk().remove('\n');
                append(sql, "--" + content + "\n");
                want.push_back({'c', content});
                break;
            }
            case 4: { // block comment
                QString content = junk();
                while (content.contains("*/"))
                    content.remove("*/");
                append(sql, "/*" + content + "*/");
                want.push_back({'c', content});
                break;
            }
            case 5: { // date, time or date-time literal
                const auto [form, iso] = temporal();
                append(sql, "#" + form + "#");
                want.push_back({'s', iso});
                break;
            }
            case 6:
            case 7: // words and operators
                append(sql, QString::fromUtf8(Words[pick(std::size(Words))]));
                break;
            case 8: { // isnull( … ) around a fragment of its own
                auto [inner, innerWant] = text(depth + 1);
                append(sql, "isnull(" + inner + ")");
                want.insert(want.end(), innerWant.begin(), innerWant.end());
                break;
            }
            }
        }
        return {sql, want};
    }

private:
    static constexpr const char* Pieces[] = {
        "'", "''", "\"", "`",  "#", "##", "--",   "/*",      "*/", "*",
        "[", "]",  ";",  "\n", " ", "a",  "中文", "isnull(", ")",  "#2004-02-01#",
        "0", "-",  "\\", "$$", "?", ":x", "@"};
    static constexpr const char* Words[] = {"select", "x",        "=", "<>", ",", "and",  "or", "1",
                                            "+",      "d.isnull", "(", ")",  ";", "true", "a1"};

    int pick(std::size_t count) {
        return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 1)(m_random);
    }
    QString junk() {
        QString text;
        for (int i = pick(6); i > 0; --i)
            text += QString::fromUtf8(Pieces[pick(std::size(Pieces))]);
        return text;
    }
    // A date, time or date-time in one of the forms people type, and its ISO
    // form; now and then a text the date parser refuses, which stays as it is.
    std::pair<QString, QString> temporal() {
        const QDate date(1930 + pick(100), 1 + pick(12), 1 + pick(28));
        const QTime time(pick(24), pick(60), pick(60));
        const QString y = date.toString("yyyy");
        const QString yy = date.toString("yy");
        const QString m = QString::number(date.month());
        const QString d = QString::number(date.day());
        const QString dateForms[] = {date.toString("yyyy-MM-dd"),   y + "-" + m + "-" + d,
                                     y + "/" + m + "/" + d,         y + "." + m + "." + d,
                                     yy + "-" + m + "-" + d,        m + "/" + d + "/" + y,
                                     y + "年" + m + "月" + d + "日"};
        const QString timeForms[] = {time.toString("HH:mm:ss"), time.toString("H:mm:ss")};
        const QString dateForm = dateForms[pick(std::size(dateForms))];
        const QString timeForm = timeForms[pick(std::size(timeForms))];
        const QString isoDate = date.toString("yyyy-MM-dd");
        const QString isoTime = time.toString("HH:mm:ss");
        switch (pick(5)) {
        case 0:
            return {timeForm, isoTime};
        case 1:
            return {dateForm + " " + timeForm, isoDate + " " + isoTime};
        case 2: {
            const QString refused = y + "-13-" + d;
            return {refused, refused};
        }
        default:
            return {dateForm, isoDate};
        }
    }
    // Joins the next token as a person would write it without a blank, but
    // never so that the hash dialect reads two tokens as one: two string
    // literals or two names with the same quote, or a word and a word or #.
    static void append(QString& sql, const QString& token) {
        if (!sql.isEmpty()) {
            const QChar last = sql.back();
            const QChar first = token.front();
            const bool word = [](QChar c) { return c.isLetterOrNumber() || c == '_'; }(last);
            if ((last == first && (first == '\'' || first == '"' || first == '`')) ||
                (word && (first.isLetterOrNumber() || first == '_' || first == '#')) ||
                (last == '-' && first == '-') || (last == '/' && first == '*'))
                sql += ' ';
        }
        sql += token;
    }

    std::mt19937 m_random;
};

TEST(HashDialect, LiteralsNamesAndCommentsKeepTheirTextInRandomTexts) {
    for (const unsigned seed : {1u, 2u, 3u, 20240201u}) {
        Fragments fragments(seed);
        for (int round = 0; round < 2000; ++round) {
            const auto [sql, want] = fragments.text();
            const QString out = HashDialect::translate(sql);
            EXPECT_EQ(describe(quotedTokens(out)), describe(want))
                << "seed " << seed << " round " << round << "\n  in:  " << sql.toStdString()
                << "\n  out: " << out.toStdString();
        }
    }
}

} // namespace
