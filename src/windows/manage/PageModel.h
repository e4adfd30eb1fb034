#pragma once

#include "platform/grid/Sheet.h"

#include <QString>

#include <vector>

namespace quill {

class F1Book;

// The first page block of a paged template, kept so that every later page
// block starts as its copy: entries (formulas moved with the block, as a
// spreadsheet copies them), bold and borders.
class PageModel {
public:
    // Rows 1 to rows of the loaded template (as far as it has them).
    PageModel(const F1Book& book, int rows);

    // Writes the model's entries and bold into the rows from firstRow on.
    void copyContents(F1Book& book, int firstRow) const;
    // Draws the model's border lines into the rows from firstRow on, over
    // what is there (a frame drawn before stays where the model has none).
    void drawBorders(F1Book& book, int firstRow) const;

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
