#pragma once

#include "Sheet.h"

#include <QString>

namespace quill {

// Reads the first worksheet of an OOXML workbook, whatever the file's
// extension: texts (shared and inline, rich text joined), numbers shown by
// their number format, booleans, formulas with the values they were saved
// with, column widths, sheet name, bold and borders. Further sheets, merged
// cells, pictures and the like are passed over.
class WorkbookReader {
public:
    // Raises GridError with a message naming the file when it is missing,
    // empty, damaged or no workbook.
    static Sheet read(const QString& path);

    // A column width as a workbook stores it (characters plus cell padding)
    // in 1/256 of a character.
    static int widthFromFile(double fileWidth);
};

} // namespace quill
