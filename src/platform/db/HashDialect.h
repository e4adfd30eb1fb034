#pragma once

#include <QString>

namespace quill {

// Rewrites the hash dialect's forms into SQL that SQLite runs: #…# date and
// time literals become quoted literals and isnull(expr) becomes
// (expr) is null. String literals, quoted identifiers and comments are
// copied unchanged; true and false need no rewriting.
class HashDialect {
public:
    static QString translate(const QString& sql);
};

} // namespace quill
