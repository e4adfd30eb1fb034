#pragma once

#include <QString>
#include <QStringList>

namespace quill {

// One item list of a saved report as its display rows carry it: row r holds
// the list's r-th entry, "" where it has none. The length is the number of
// non-empty entries, and the entries are those of rows 1 to that length.
class ReportList {
public:
    void clear() {
        m_rows.clear();
        m_count = 0;
    }
    void addRow(const QString& entry) {
        m_rows << entry;
        if (!entry.isEmpty())
            ++m_count;
    }
    int count() const { return m_count; }
    QStringList entries() const { return m_rows.mid(0, m_count); }

private:
    QStringList m_rows;
    int m_count = 0;
};

} // namespace quill
