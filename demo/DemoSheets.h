#pragma once

#include "platform/grid/Sheet.h"

namespace quill {

struct DemoReport;

// The workbooks of the report folder: the base sheet every result is laid
// on, and the paged template of a report. The template's first row holds
// the five template parameters (header rows 4, records per page 10, footer
// rows 4, no block offsets); row 2 is its title, row 3 is left for the
// conditions, period and print date, row 4 holds the column captions, and
// the footer rows carry the labels of the page and running totals.
class DemoSheets {
public:
    static constexpr int HeaderRows = 4;
    static constexpr int RecordsPerPage = 10;
    static constexpr int FooterRows = 4;

    static Sheet baseSheet();
    // Columns follow the report's display items, captions from the dictionary.
    static Sheet pagedTemplate(const DemoReport& report);
};

} // namespace quill
