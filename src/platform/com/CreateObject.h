#pragma once

#include "platform/com/ComObject.h"

#include <QString>

#include <memory>

namespace quill {

// Creates the object registered under progId ("QUILL.clszh"); throws ComError
// when it cannot, with a message for the user.
std::shared_ptr<ComObject> CreateObject(const QString& progId);

} // namespace quill
