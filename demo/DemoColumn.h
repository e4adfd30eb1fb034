#pragma once

#include <QString>

namespace quill {

// One column of a demo table. For data tables it is also the column's row in
// the dictionary zdb1: caption (proname), field (proval), type code (proval1)
// and width or display format (proval2).
struct DemoColumn {
    QString field;
    QString caption;
    // S text, T date, Y time, D decimal, I whole number, B yes/no, M memo, O object.
    QString typeCode;
    // Byte width for S; display format (or empty) for D, T and Y.
    QString format;
};

} // namespace quill
