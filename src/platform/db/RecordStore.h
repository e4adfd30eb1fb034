#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <vector>

namespace quill {

// The records of an open recordset, compactly: one 16-byte cell per value,
// row after row; texts and rarer kinds (date-times, bytes) in side tables
// the cells point into. Each record also keeps its row identity, the
// version of the row it was read from (what a write checks to know that
// nobody changed the row meanwhile) and whether it was deleted.
class RecordStore {
public:
    void setFieldCount(int count) { m_fieldCount = count; }
    int rowCount() const { return static_cast<int>(m_identities.size()); }

    // Builds a record: its values in field order, then its identity and version.
    void append(const QVariant& value);
    // The same for the commonest values, with no QVariant on the way.
    void appendDouble(double value) {
        Cell cell;
        cell.real = value;
        cell.tag = Tag::Double;
        m_cells.push_back(cell);
    }
    void appendText(QString&& text) {
        Cell cell;
        cell.number = m_strings.size();
        cell.tag = Tag::String;
        m_strings.append(std::move(text));
        m_cells.push_back(cell);
    }
    void endRecord(qint64 identity, qint64 version);
    // A record of nulls at the end, for a new record about to be filled in.
    void appendEmptyRecord();
    // Releases the spare capacity left by growing.
    void squeeze();
    void clear();

    QVariant value(int row, int field) const {
        return valueOf(m_cells[static_cast<size_t>(row) * static_cast<size_t>(m_fieldCount) +
                               static_cast<size_t>(field)]);
    }
    void setValue(int row, int field, const QVariant& value);

    qint64 identity(int row) const { return m_identities[static_cast<size_t>(row)]; }
    void setIdentity(int row, qint64 identity) {
        m_identities[static_cast<size_t>(row)] = identity;
    }
    qint64 version(int row) const { return m_versions[static_cast<size_t>(row)]; }
    void setVersion(int row, qint64 version) { m_versions[static_cast<size_t>(row)] = version; }
    bool deleted(int row) const { return m_deleted[static_cast<size_t>(row)] != 0; }
    void markDeleted(int row);
    int deletedCount() const { return m_deletedCount; }
    // Live records before row.
    int liveBefore(int row) const;

private:
    enum class Tag : std::uint8_t { Null, Int, LongLong, Double, Bool, Date, Time, String, Other };
    struct Cell {
        union {
            qint64 number;
            double real;
        };
        Tag tag;
    };

    Cell cellOf(const QVariant& value, Cell* previous);
    QVariant valueOf(const Cell& cell) const;

    int m_fieldCount = 0;
    std::vector<Cell> m_cells;
    QList<QString> m_strings;
    QList<QVariant> m_others;
    std::vector<qint64> m_identities;
    std::vector<qint64> m_versions;
    std::vector<std::uint8_t> m_deleted;
    int m_deletedCount = 0;
};

} // namespace quill
