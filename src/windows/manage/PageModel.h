#pragma once

#include "platform/grid/Sheet.h"

#include <QString>

#include <vector>

namespace quill {

class F1Book;

// The first page block of a paged template, kept so that every later page
// block starts as its copy: entries, bold and borders.
class PageModel {
public:
    // Rows 1 to rows of the loaded template (as far as it has them).
    PageModel(const F1Book& book, int rows);

    // Writes the model into the rows from firstRow on.
    void copyTo(F1Book& book, int firstRow) const;

private:
    struct Cell {
        int row = 0; // 0-based within the block
        int col = 0; // 1-based
        QString entry;
        bool bold = false;
    };
    // A run of cells of one row with the same borders.
    struct BorderRun {
        int row = 0;
        int firstCol = 0;
        int lastCol = 0;
        Sheet::Borders borders;
    };

    std::vector<Cell> m_cells;
    std::vector<BorderRun> m_borders;
};

} // namespace quill
