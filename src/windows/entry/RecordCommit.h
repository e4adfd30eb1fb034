#pragma once

#include <QString>

#include <array>
#include <utility>
#include <vector>

namespace quill {

class F1Book;
class RecordEntry;

// The OK button: checks every row, then adds, modifies or deletes the record
// in one transaction, all or nothing. After an add the new record is also
// appended to the main window's result sheet.
class RecordCommit {
public:
    // Caption and value text of each grid row, taken before the write.
    using FieldTexts = std::array<std::pair<QString, QString>, 200>;

    struct Outcome {
        QString status;
        bool closeWindow = false; // after a delete
        bool written = false;     // the record was added, modified or deleted
    };

    // mainSheet: the main window's result sheet (none: nothing appended);
    // sheetRecords: how many records it shows.
    RecordCommit(RecordEntry& entry, F1Book* mainSheet, int sheetRecords);

    // required and unique: the ticks of List2 and List1, one per row.
    Outcome run(const std::vector<bool>& required, const std::vector<bool>& unique,
                bool clearAfterAdd);

    const FieldTexts& fieldTexts() const { return m_texts; }

private:
    void copyGrid();
    QString write();
    void appendToSheet();

    RecordEntry& m_entry;
    F1Book* m_sheet;
    int m_sheetRecords;
    FieldTexts m_texts;
};

} // namespace quill
