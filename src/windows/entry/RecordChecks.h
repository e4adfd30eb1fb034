#pragma once

#include <QString>

#include <optional>

namespace quill {

class RecordEntry;

// The checks of one grid row before a record is written, in this order:
// required ("为必填项目"), the value check of the field's type, the
// organisation name, and uniqueness ("已有此" + caption). Uniqueness asks
// the table for another record holding the value the field will hold; in
// modify and delete mode the record itself is left out.
class RecordChecks {
public:
    explicit RecordChecks(RecordEntry& entry);

    // The message of the first failing check of the row, if any.
    std::optional<QString> checkRow(int row, bool required, bool unique);

private:
    bool anotherHolds(int row, const QVariant& value);

    RecordEntry& m_entry;
};

} // namespace quill
