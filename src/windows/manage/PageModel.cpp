#include "windows/manage/PageModel.h"

#include "platform/grid/F1Book.h"
#include "windows/manage/FormulaRows.h"

#include <algorithm>

namespace quill {

PageModel::PageModel(const F1Book& book, int rows) {
    const Sheet& sheet = book.sheet();
    const int height = std::min(rows, sheet.rowCount());
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < sheet.columnCount(); ++c) {
            const bool bold = sheet.bold(r, c);
            if (sheet.kind(r, c) != Sheet::Kind::Empty || bold)
                m_cells.push_back({r, c + 1, sheet.entry(r, c), bold});
            const Sheet::Borders borders = sheet.borders(r, c);
            if (borders.isNone())
                continue;
            if (!m_borders.empty() && m_borders.back().row == r && m_borders.back().lastCol == c &&
                m_borders.back().borders == borders)
                m_borders.back().lastCol = c + 1;
            else
                m_borders.push_back({r, c + 1, c + 1, borders});
        }
    }
}

void PageModel::copyContents(F1Book& book, int firstRow) const {
    for (const Cell& cell : m_cells) {
        if (!cell.entry.isEmpty())
            book.SetCellText(firstRow + cell.row, cell.col,
                             FormulaRows::shifted(cell.entry, firstRow - 1));
        if (cell.bold)
            book.setCellBold(firstRow + cell.row, cell.col, true);
    }
}

void PageModel::drawBorders(F1Book& book, int firstRow) const {
    const auto line = [](std::uint8_t style) { return style == 0 ? -1 : int(style); };
    for (const BorderRun& run : m_borders) {
        const int row = firstRow + run.row;
        book.SetSelection(row, run.firstCol, row, run.lastCol);
        const Sheet::Borders& b = run.borders;
        book.SetBorder(-1, line(b.left), line(b.right), line(b.top), line(b.bottom), 0, 0, 0, 0, 0,
                       0);
    }
}

} // namespace quill
