// The hash-dialect translator: whatever the text, the text inside string
// literals, quoted names and comments comes out unchanged and in order.
#include "FuzzTarget.h"

#include "platform/db/HashDialect.h"

#include <QStringList>

namespace {

qsizetype endOfDelimited(const QString& sql, qsizetype i, QChar close, bool doubled) {
    for (qsizetype j = i + 1; j < sql.size(); ++j) {
        if (sql[j] != close)
            continue;
        if (doubled && j + 1 < sql.size() && sql[j + 1] == close) {
            ++j;
            continue;
        }
        return j + 1;
    }
    return sql.size();
}

// Whether the comment mark at i may lie inside a #…# date literal, where it
// is none: a '#' before and after it, with no quote, bracket or line end
// between. Taken wide, so that every literal the translator takes is one here.
bool maybeInDateLiteral(const QString& sql, qsizetype i, qsizetype from) {
    static const QString stops = QStringLiteral("'\"`[]\n");
    const auto hashTowards = [&](qsizetype j, int step) {
        for (; j >= from && j < sql.size(); j += step) {
            if (sql[j] == u'#')
                return true;
            if (stops.contains(sql[j]))
                return false;
        }
        return false;
    };
    return hashTowards(i - 1, -1) && hashTowards(i + 2, 1);
}

// The string literals ('…' with '' inside), quoted names ("…", `…`, […]) and
// comments (-- to the line end, /* … */) of a text, in order, up to a comment
// mark that may lie in a date literal. Written apart from the translator, so
// that a mistake in its scanner shows.
QStringList protectedPieces(const QString& sql) {
    QStringList pieces;
    qsizetype i = 0;
    qsizetype plainFrom = 0; // where the text after the last piece starts
    while (i < sql.size()) {
        const QChar c = sql[i];
        const QChar next = i + 1 < sql.size() ? sql[i + 1] : QChar();
        qsizetype end = i;
        if (c == u'\'' || c == u'"' || c == u'`')
            end = endOfDelimited(sql, i, c, true);
        else if (c == u'[')
            end = endOfDelimited(sql, i, u']', false);
        else if (c == u'-' && next == u'-')
            end = sql.indexOf(u'\n', i) < 0 ? sql.size() : sql.indexOf(u'\n', i) + 1;
        else if (c == u'/' && next == u'*')
            end = sql.indexOf(QLatin1String("*/"), i + 2) < 0
                      ? sql.size()
                      : sql.indexOf(QLatin1String("*/"), i + 2) + 2;
        if (end == i) {
            ++i;
            continue;
        }
        // A comment mark that may lie in a date literal leaves the rest
        // unknown: a comment to the line end, or a literal and more.
        if (c == u'-' && maybeInDateLiteral(sql, i, plainFrom))
            break;
        pieces << sql.mid(i, end - i);
        i = end;
        plainFrom = end;
    }
    return pieces;
}

// Whether every piece of `input` is among `output`'s, in the same order (the
// translator adds literals of its own for #…# dates).
bool keptInOrder(const QStringList& input, const QStringList& output) {
    qsizetype at = 0;
    for (const QString& piece : input) {
        while (at < output.size() && output[at] != piece)
            ++at;
        if (at == output.size())
            return false;
        ++at;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString sql = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString translated = quill::HashDialect::translate(sql);
    FUZZ_CHECK(keptInOrder(protectedPieces(sql), protectedPieces(translated)),
               "a string literal, quoted name or comment changed in translation");
    return 0;
}
