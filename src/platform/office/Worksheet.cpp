#include "platform/office/Worksheet.h"

#include <algorithm>
#include <stdexcept>

namespace quill {

namespace {

void copyCell(Sheet& sheet, int fromRow, int toRow, int col) {
    switch (sheet.kind(fromRow, col)) {
    case Sheet::Kind::Empty:
        sheet.clearContents(toRow, col);
        break;
    case Sheet::Kind::Formula:
        if (sheet.hasFormulaValue(fromRow, col))
            sheet.setFormula(toRow, col, sheet.formula(fromRow, col), sheet.text(fromRow, col));
        else
            sheet.setEntry(toRow, col, sheet.formula(fromRow, col));
        break;
    default:
        sheet.setEntry(toRow, col, sheet.entry(fromRow, col));
        break;
    }
    sheet.setBold(toRow, col, sheet.bold(fromRow, col));
    sheet.setBorders(toRow, col, sheet.borders(fromRow, col));
}

} // namespace

void Range::Select() {
    m_sheet->m_selection = m_cells;
}

void Range::Insert() {
    if (!m_entireRows)
        throw std::logic_error("only whole rows are inserted");
    m_sheet->insertRows(m_cells.firstRow, m_cells.lastRow - m_cells.firstRow + 1);
}

QString Range::Value() const {
    const Sheet& s = m_sheet->m_sheet;
    if (m_cells.firstRow >= s.rowCount() || m_cells.firstCol >= s.columnCount())
        return {};
    return s.text(m_cells.firstRow, m_cells.firstCol);
}

void Range::setValue(const QString& value) {
    m_sheet->reach(m_cells.lastRow, m_cells.lastCol);
    for (int r = m_cells.firstRow; r <= m_cells.lastRow; ++r)
        for (int c = m_cells.firstCol; c <= m_cells.lastCol; ++c)
            m_sheet->m_sheet.setEntry(r, c, value);
}

void Range::setBold(bool on) {
    m_sheet->reach(m_cells.lastRow, m_cells.lastCol);
    for (int r = m_cells.firstRow; r <= m_cells.lastRow; ++r)
        for (int c = m_cells.firstCol; c <= m_cells.lastCol; ++c)
            m_sheet->m_sheet.setBold(r, c, on);
}

void Range::ClearContents() {
    Sheet& s = m_sheet->m_sheet;
    const int lastRow = std::min(m_cells.lastRow, s.rowCount() - 1);
    const int lastCol = std::min(m_cells.lastCol, s.columnCount() - 1);
    for (int r = m_cells.firstRow; r <= lastRow; ++r)
        for (int c = m_cells.firstCol; c <= lastCol; ++c)
            s.clearContents(r, c);
}

Worksheet::Worksheet(Sheet sheet)
    : m_sheet(std::move(sheet)) {}

Range Worksheet::range(const QString& reference) {
    const auto cells = CellRange::parse(reference);
    if (!cells)
        throw std::invalid_argument("not a cell range: " + reference.toStdString());
    return Range(*this, *cells);
}

Range Worksheet::Cells(int row, int col) {
    if (row < 1 || col < 1)
        throw std::out_of_range("cells count from 1");
    return Range(*this, CellRange{row - 1, col - 1, row - 1, col - 1});
}

void Worksheet::reach(int row, int col) {
    if (row < m_sheet.rowCount() && col < m_sheet.columnCount())
        return;
    const int rows = std::max(row + 1, m_sheet.rowCount());
    const int cols = std::max(col + 1, m_sheet.columnCount());
    Sheet::checkSize(rows, cols);
    m_sheet.resize(rows, cols);
}

void Worksheet::insertRows(int firstRow, int count) {
    if (firstRow >= m_sheet.rowCount())
        return;
    const int oldRows = m_sheet.rowCount();
    Sheet::checkSize(oldRows + count, m_sheet.columnCount());
    m_sheet.resize(oldRows + count, m_sheet.columnCount());
    for (int r = oldRows - 1; r >= firstRow; --r)
        for (int c = 0; c < m_sheet.columnCount(); ++c)
            copyCell(m_sheet, r, r + count, c);
    for (int r = firstRow; r < firstRow + count; ++r)
        for (int c = 0; c < m_sheet.columnCount(); ++c) {
            m_sheet.clearContents(r, c);
            m_sheet.setBold(r, c, false);
            m_sheet.setBorders(r, c, {});
        }
}

} // namespace quill
