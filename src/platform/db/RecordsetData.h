#pragma once

#include "platform/db/FieldInfo.h"
#include "platform/db/RecordStore.h"

#include <QString>
#include <QStringView>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace quill {

class Connection;
class RecordEngine;

// What an open Recordset holds: the field descriptions, the records (each
// with its row identity when updatable) and the pending edit of the current
// record.
class RecordsetData {
public:
    enum class Edit { None, Changed, New };

    RecordsetData();
    ~RecordsetData();

    // Finishes the field list: builds the case-insensitive name index.
    void indexFields();
    int fieldIndex(QStringView name) const;
    int fieldCount() const { return static_cast<int>(fields.size()); }

    int rowCount() const { return store.rowCount(); }

    Connection* connection = nullptr;
    std::unique_ptr<RecordEngine> engine;
    std::vector<FieldInfo> fields;
    RecordStore store;
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
