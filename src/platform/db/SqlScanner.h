#pragma once

#include <QString>

namespace quill {

// Lexical helpers shared by the SQL rewriters: they must never look inside
// string literals, quoted identifiers or comments.
class SqlScanner {
public:
    // When a literal, quoted identifier or comment starts at i, the index just
    // after it (the text's end when it is unterminated); otherwise i.
    static qsizetype skipQuoted(const QString& sql, qsizetype i);
    static bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }
    // The index after the parenthesis closing the one at open; -1 when unclosed.
    static qsizetype matchingParen(const QString& sql, qsizetype open);
};

} // namespace quill
