#pragma once

#include <QStringView>

namespace quill::vb {

// Length in bytes of a text in code page GBK, the system code page of the
// module's users: ASCII counts 1, a Chinese character 2, and a character that
// GBK cannot hold counts 2 as well (as the replacement a conversion would put
// there would).
int GbkByteLength(QStringView text);

} // namespace quill::vb
