#include "GridError.h"

#include <QDir>

namespace quill {

GridError::GridError(const QString& message)
    : std::runtime_error(message.toStdString())
    , m_message(message) {}

GridError GridError::unwritable(const QString& path, const QString& reason) {
    return GridError(
        QStringLiteral("无法写入文件：%1（%2）").arg(QDir::toNativeSeparators(path), reason));
}

} // namespace quill
