#pragma once

#include "platform/db/FieldInfo.h"

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

// What an open Recordset holds: the field descriptions, every record's
// values in one row-major array, each record's row identity (updatable
// recordsets only) and the pending edit of the current record.
class RecordsetData {
public:
    enum class Edit { None, Changed, New };

    RecordsetData();
    ~RecordsetData();

    // Finishes the field list: builds the case-insensitive name index.
    void indexFields();
    int fieldIndex(QStringView name) const;
    int fieldCount() const { return static_cast<int>(fields.size()); }

    void appendRow() { deleted.push_back(0); }
    const QVariant& cell(int row, int field) const {
        return cells[static_cast<size_t>(row) * fields.size() + static_cast<size_t>(field)];
    }
    QVariant& cell(int row, int field) {
        return cells[static_cast<size_t>(row) * fields.size() + static_cast<size_t>(field)];
    }
    int rowCount() const { return static_cast<int>(deleted.size()); }

    Connection* connection = nullptr;
    std::unique_ptr<RecordEngine> engine;
    std::vector<FieldInfo> fields;
    std::vector<QVariant> cells;
    std::vector<QVariant> identities;
    std::vector<std::uint8_t> deleted;
    int deletedCount = 0;
    int position = 0;

    bool updatable = false;
    QString table; // as written in the command

    Edit edit = Edit::None;
    int positionBeforeNew = 0;
    std::vector<QVariant> pending;
    std::vector<std::uint8_t> changed;

private:
    std::vector<std::pair<size_t, int>> m_names; // folded-name hash, field; sorted
};

} // namespace quill
