#pragma once

#include <QString>

namespace quill {

// Whether a command is a plain select over one table (optionally with where,
// order by, limit), whose records can therefore be written back, and where
// a row identity column can be added to it.
class SelectShape {
public:
    static SelectShape analyse(const QString& sql);

    bool singleTable() const { return m_singleTable; }
    // The table as written in the command (quotes and schema kept).
    const QString& table() const { return m_table; }
    // The command with identityExpression as its first result column.
    QString withIdentity(const QString& sql, const QString& identityExpression) const;
    // A select that returns at most `records` rows, so that the database
    // sorts for the first rows only; empty when the command is not a select
    // or already bounds its rows (limit, offset, fetch) or locks them.
    static QString limited(const QString& sql, int records);

private:
    bool m_singleTable = false;
    QString m_table;
    qsizetype m_listStart = 0;
};

} // namespace quill
