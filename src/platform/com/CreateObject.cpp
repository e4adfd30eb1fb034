#include "platform/com/CreateObject.h"

#include "platform/com/ComRegistry.h"

namespace quill {

std::shared_ptr<ComObject> CreateObject(const QString& progId) {
    return ComRegistry::instance().create(progId);
}

} // namespace quill
