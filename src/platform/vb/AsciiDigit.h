#pragma once

#include <QChar>

namespace quill::vb {

// '0' to '9' only: QChar::isDigit also takes other scripts' digits, which no
// number or date text here may hold.
inline bool isAsciiDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

} // namespace quill::vb
