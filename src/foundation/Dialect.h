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

    // Read by the one rule of isQuoteDialectKind, the connection's as well.
    static Dialect fromKind(const QString& databaseKind);
    explicit Dialect(Kind kind)
        : m_kind(kind) {}

    Kind kind() const { return m_kind; }
    bool isQuote() const { return m_kind == Kind::Quote; }

    // A text value as one SQL literal in single quotes, each quote inside
    // doubled: O'Brien gives 'O''Brien'. Every text value the module puts
    // into SQL goes through here.
    static QString textLiteral(const QString& value);

    // A date value (T items, range bounds) as a literal: #v# or 'v'. A value
    // the date parser accepts goes in as its ISO date (yyyy-mm-dd; a value
    // already in that form unchanged), so every accepted form selects the
    // same rows on every engine and in both dialects. Any other value is a
    // text literal, never bare SQL.
    QString dateLiteral(const QString& value) const;
    // The same for a time value (Y items): its ISO time hh:mm:ss[.fff].
    QString timeLiteral(const QString& value) const;
    // A value of an item whose code is not S T Y D I (B, M, O, unknown), with
    // blanks around it removed: a plain number ("12", "-3.5", "1e3") stays a
    // bare number, a yes/no word (true, false, 是, 否; letters in any case) is
    // this dialect's boolean literal, anything else a text literal.
    QString valueLiteral(const QString& value) const;

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
    QString wrapped(const QString& iso) const;

    Kind m_kind;
};

} // namespace quill
