#include "platform/com/ComError.h"

namespace quill {

ComError::ComError(const QString& message)
    : std::runtime_error(message.toStdString())
    , m_message(message) {}

} // namespace quill
