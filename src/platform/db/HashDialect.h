#pragma once

#include <QString>

namespace quill {

// Rewrites the hash dialect's forms into SQL that SQLite runs: #…# date and
// time literals become quoted literals in their stored ISO form (by the one
// date parser; a text it refuses keeps its characters) and isnull(expr)
// becomes (expr) is null. What it never does: change the text inside a string
// literal, a quoted name or a comment, or let a literal it writes run into a
// string literal beside it ('a'#2004-02-01# stays two literals). True and
// false need no rewriting.
class HashDialect {
public:
    static QString translate(const QString& sql);
};

} // namespace quill
