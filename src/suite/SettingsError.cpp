#include "suite/SettingsError.h"

namespace quill {

SettingsError::SettingsError(const QString& message)
    : std::runtime_error(message.toStdString())
    , m_message(message) {}

} // namespace quill
