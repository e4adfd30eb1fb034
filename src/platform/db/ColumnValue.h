#pragma once

#include "platform/db/FieldKind.h"

#include <QVariant>

namespace quill {

// A value written to a column of a kind, in the column's own type: text a
// person typed into a date, time, date-time, flag or number column, in any
// form the value rules accept, becomes that date, time, flag or number, so
// both engines store the column's canonical form. Other values, and text
// that is none of these, stay as given.
class ColumnValue {
public:
    static QVariant typed(const QVariant& value, FieldKind kind);
};

} // namespace quill
