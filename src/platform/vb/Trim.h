#pragma once

#include <QString>

namespace quill::vb {

// A text without the blanks at either end (spaces, tabs, line ends and the
// full-width blank a Chinese input method types).
inline QString Trim(const QString& text) {
    return text.trimmed();
}

} // namespace quill::vb
