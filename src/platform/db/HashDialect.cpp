#include "HashDialect.h"

namespace quill {

QString HashDialect::translate(const QString& sql) {
    return sql;
}

} // namespace quill
