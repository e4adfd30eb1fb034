#pragma once

#include <QHash>
#include <QString>

#include <vector>

namespace quill {

class Connection;

// The column dictionary of one table, read from its zdb1 rows: the table row
// (proname = the module title, proval = the table name) under the root row
// DATABASE, and its column rows in id order (proname = caption, proval =
// field, proval1 = type code, proval2 = width or display format; a column
// without a caption takes its field name as caption). Field names compare
// case-insensitively, captions exactly.
class ColumnDictionary {
public:
    struct TableRow {
        qint64 id = 0;
        QString title;
        QString table;
    };
    struct Column {
        QString caption;
        QString field;
        QString type;
        QString width;
    };

    // Every table row; `opened` counts the recordsets used.
    static std::vector<TableRow> readTables(Connection& connection, int& opened);
    // The table row whose title or table name is `name`, or nullptr.
    static const TableRow* match(const std::vector<TableRow>& tables, const QString& name);

    void load(Connection& connection, const TableRow& table, int& opened);
    void clear();

    const TableRow& table() const { return m_table; }
    long count() const { return long(m_columns.size()); }
    // Field name -> caption, caption -> field name, "或者"/"并且" -> "or"/"and".
    QString lookup(const QString& name) const;
    // The column named by field name or caption, or nullptr.
    const Column* column(const QString& name) const;
    const Column* byCaption(const QString& caption) const;
    // 0 caption, 1 field name, 2 type code of column `position` (from 1);
    // position 0 is the table itself: its title and its table name.
    QString attribute(int attribute, long position) const;

private:
    const Column* byField(const QString& field) const;

    TableRow m_table;
    std::vector<Column> m_columns;
    QHash<QString, int> m_fields;   // case-folded field name -> index
    QHash<QString, int> m_captions; // caption -> index
};

} // namespace quill
