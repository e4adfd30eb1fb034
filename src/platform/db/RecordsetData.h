#pragma once

#include "platform/db/FieldInfo.h"
#include "platform/db/RecordCursor.h"
#include "platform/db/RecordStore.h"

#include <QString>
#include <QStringView>
#include <QVariant>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace quill {

class Connection;
class RecordEngine;

// What an open Recordset holds: the field descriptions, the records read so
// far (each with its row identity when updatable), the cursor over the rest
// and the pending edit of the current record.
class RecordsetData {
public:
    enum class Edit { None, Changed, New };
    // Records read at a time: the first block when opening, then each next.
    static constexpr int BlockRows = 4096;

    RecordsetData();
    ~RecordsetData();

    // Finishes the field list: builds the case-insensitive name index.
    void indexFields();
    int fieldIndex(QStringView name) const;
    int fieldCount() const { return static_cast<int>(fields.size()); }

    // Records read so far.
    int rowCount() const { return store.rowCount(); }
    // The records to read next once `reading` more are read: a block, or
    // what is left below maxRecords.
    int blockAfter(int reading) const {
        return maxRecords > 0 ? std::min(BlockRows, maxRecords - rowCount() - reading) : BlockRows;
    }
    int nextBlock() const { return blockAfter(0); }
    // The records a whole read may still take.
    int rowsLeft() const {
        return maxRecords > 0 ? maxRecords - rowCount() : std::numeric_limits<int>::max();
    }
    // Ends the snapshot once maxRecords are read: nothing more is read.
    void stopAtMaxRecords() {
        if (maxRecords > 0 && rowCount() >= maxRecords)
            cursor.reset();
    }
    // Whether record row (0-based) exists; reads on from the cursor up to it.
    bool has(int row);
    // Reads every record left.
    void readAll();
    // Whether every record is deleted (or there is none).
    bool noLiveRecords() { return !has(store.deletedCount()); }
    // Records of the result, deleted ones included; counts the snapshot
    // once while records are left to read.
    int totalRows();
    // Drops the records and the cursor, as before a fetch.
    void clearRecords();

    Connection* connection = nullptr;
    std::unique_ptr<RecordEngine> engine;
    std::vector<FieldInfo> fields;
    RecordStore store;
    std::unique_ptr<RecordCursor> cursor; // null once every record is read
    int countedRows = -1;                 // the snapshot's count, once asked
    int maxRecords = 0;                   // the most records read; 0: all
    int position = 0;

    bool updatable = false;
    QString table;                 // as written in the command
    std::vector<int> columnFields; // the fields that show a column of the table

    Edit edit = Edit::None;
    int positionBeforeNew = 0;
    std::vector<QVariant> pending;
    std::vector<std::uint8_t> changed;

private:
    std::vector<std::pair<size_t, int>> m_names; // folded-name hash, field; sorted
};

} // namespace quill
