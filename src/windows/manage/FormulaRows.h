#pragma once

#include <QString>

namespace quill {

// Moves a formula down the sheet as a spreadsheet copy does: the row numbers
// of relative references ("C4", "$C4", "C4:C23") grow by the offset, absolute
// rows ("C$4") and texts in quotes stay.
class FormulaRows {
public:
    static QString shifted(const QString& formula, int rows);
};

} // namespace quill
