#include "platform/db/DatabaseKind.h"

#include "platform/vb/Val.h"

namespace quill {

bool isQuoteDialectKind(const QString& databaseKind) {
    return vb::Val(databaseKind) > 1;
}

} // namespace quill
