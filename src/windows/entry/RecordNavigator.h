#pragma once

#include <QString>

namespace quill {

class RecordEntry;

// Next, previous and find over the entry window's recordset. Each returns
// the status text and keeps CurrentRow on the position of the record the
// recordset stands on.
class RecordNavigator {
public:
    explicit RecordNavigator(RecordEntry& entry);

    QString next();
    QString previous();
    // Searches field `row` for the text of that row's value cell, compared
    // whole and case-insensitively with the stored value and with the value
    // as the window shows it (null as ""). Not found: the recordset stays on
    // the last record and only the key remains on the grid.
    QString find(int row);

private:
    bool matches(int row, const QString& key) const;

    RecordEntry& m_entry;
};

} // namespace quill
