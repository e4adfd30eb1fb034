#include "foundation/ReservedField.h"

namespace quill {

bool isReservedRangeField(const QString& fieldName) {
    return QStringLiteral("zhdate zhtime").contains(fieldName.toLower());
}

} // namespace quill
