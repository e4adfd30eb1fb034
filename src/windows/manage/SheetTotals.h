#pragma once

#include "windows/manage/SheetColumn.h"

#include <utility>
#include <vector>

namespace quill {

class F1Book;

// The totals row "合计：": appended under the sheet's last row, with the total
// of every column that shows one of the report's sum items (Mdlx SumFields).
class SheetTotals {
public:
    // Rows holding records, first and last inclusive.
    using RowRanges = std::vector<std::pair<int, int>>;

    // Field i of the query stands in column firstCol + i.
    static void append(F1Book& book, const std::vector<SheetColumn>& columns,
                       const RowRanges& recordRows, int firstCol);
};

} // namespace quill
