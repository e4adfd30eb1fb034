#pragma once

#include <QPageSize>

namespace quill {

// Paper by the numeric codes spreadsheet applications give it.
class PaperSizes {
public:
    static bool isKnown(int code);
    // A4 for an unknown code.
    static QPageSize pageSize(int code);
};

} // namespace quill
