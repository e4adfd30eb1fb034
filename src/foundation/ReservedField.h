#pragma once

#include <QString>

namespace quill {

// Whether a column row is left out of the lists of condition items: its field
// name, in lower case, occurs anywhere in "zhdate zhtime" (so "ZHDATE", but
// also "date", "time" or "h" are left out).
bool isReservedRangeField(const QString& fieldName);

} // namespace quill
