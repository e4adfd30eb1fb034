#pragma once

#include "platform/office/SheetChart.h"
#include "platform/office/Worksheet.h"

#include <QString>

namespace quill {

class F1Book;

// The chart of the rendered result sheet (MN10), headless: the
// grid's sheet with the record rows' cells from column 2 on as numbers, the
// chart type by the number of value columns beside the group columns, and
// its source range.
class ChartExport {
public:
    struct Made {
        Worksheet sheet;
        SheetChart chart;
    };

    // templateRows: the first template parameter P (0 on a default sheet);
    // groupItems: the number of group items of the current query; sumCount:
    // SumCount (above 0: the last row is the totals row, left out).
    //  - more than one value column (LastCol - groupItems > 1): clustered
    //    columns over column A to LastCol; else a pie over columns A and B;
    //  - a default sheet gains its heading row (bold column headings) and the
    //    range runs from row 1 to LastRow + 1; a template's from row P to
    //    LastRow; one row less with sum items.
    static Made make(const F1Book& book, int templateRows, int groupItems, int sumCount);
    // The same with the query state of now: TemplateParam(1) given, the
    // group items of SqlGroup, SumCount of Mdlx.
    static Made make(const F1Book& book, int templateRows);

    // The items of a group part " group by a,b": 2; "" gives 0.
    static int groupItemCount(const QString& sqlGroup);

    // Writes the sheet with its chart to path as a workbook, replaced only
    // when complete; raises GridError naming the file.
    static void write(const Made& made, const QString& path);
};

} // namespace quill
