#pragma once

#include "foundation/TypeCode.h"

#include <QString>

namespace quill {

// The SQL literal dialect of the suite's database, chosen by DatabaseKind:
// the hash dialect (#2004-02-01#, proif=false) of the desktop database, or the
// quote dialect ('2004-02-01', proif=0) of the server.
class Dialect {
public:
    enum class Kind { Hash, Quote };

    // The leading number of the kind text above 1 is the quote dialect; 1, 0,
    // empty and texts without a number are the hash dialect.
    static Dialect fromKind(const QString& databaseKind);
    explicit Dialect(Kind kind)
        : m_kind(kind) {}

    Kind kind() const { return m_kind; }
    bool isQuote() const { return m_kind == Kind::Quote; }

    // A text value as one SQL literal in single quotes, each quote inside
    // doubled: O'Brien gives 'O''Brien'. Every text value the module puts
    // into SQL goes through here.
    static QString textLiteral(const QString& value);

    // A date or time value as a literal: #v# or 'v'. In the hash dialect the
    // value ends before its first "#" or quote (no date holds either), so a
    // value can never close the literal early.
    QString dateLiteral(const QString& value) const;

    // "true"/"false" or "1"/"0".
    QString booleanLiteral(bool value) const;
    // column=false / column=true, or column=0 / column=1.
    QString booleanCondition(const QString& column, bool value) const;
    // isnull(column), or column is null.
    QString nullTest(const QString& column) const;

    // What follows the first field's name in the query that proves a table
    // exists (" = ''", " = #1900-01-10#" …). Codes without a probe value of
    // their own (B, M, O, unknown) get " is null", valid for any column.
    QString probeLiteral(TypeCode code) const;
    // Quote dialect: the query whose row proves that a table exists.
    static QString tableExistsQuery(const QString& table);

private:
    Kind m_kind;
};

} // namespace quill
