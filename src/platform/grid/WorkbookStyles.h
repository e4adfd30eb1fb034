#pragma once

#include "Sheet.h"
#include "WorkbookNumberFormat.h"

#include <vector>

namespace quill {

class ZipArchive;

// The cell formats of a workbook (its styles part): per format number the
// bold flag, the borders and the number format.
class WorkbookStyles {
public:
    struct CellStyle {
        bool bold = false;
        Sheet::Borders borders;
        WorkbookNumberFormat numberFormat;
    };

    WorkbookStyles() = default;
    // Reads the styles part, number formats in the workbook's date system;
    // raises GridError when it is damaged.
    WorkbookStyles(const ZipArchive& zip, const QString& entry, vb::FormatCodes codes);

    // The style of a cell's "s" number; the plain style when unknown.
    const CellStyle& style(int index) const;

private:
    std::vector<CellStyle> m_styles;
    CellStyle m_plain;
};

} // namespace quill
