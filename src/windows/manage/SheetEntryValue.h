#pragma once

#include "foundation/TypeCode.h"

#include <QString>
#include <QVariant>

namespace quill {

// The value a typed cell of the result sheet stores in its field, by the
// field's type:
//   T  null when blank; the date the text holds; else the text read as the
//      grid's day number (day 0 is 1899-12-30)
//   Y  null when blank; the time the text holds; else the text read as a
//      fraction of a day
//   D  the text's leading numeric value
//   I  the same, rounded to a whole number
//   S  the text itself (organisation names are the editor's)
// Other codes store nothing: invalid.
QVariant sheetEntryValue(TypeCode code, const QString& text);

} // namespace quill
