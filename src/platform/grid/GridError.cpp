#include "GridError.h"

namespace quill {

GridError::GridError(const QString& message)
    : std::runtime_error(message.toStdString())
    , m_message(message) {}

} // namespace quill
