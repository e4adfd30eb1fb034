#pragma once

#include "platform/grid/CellRange.h"
#include "platform/grid/Sheet.h"
#include "platform/office/PageSetup.h"

#include <QString>

namespace quill {

class Worksheet;

// A rectangle of a worksheet with the cell operations of spreadsheet
// applications. Rows and columns of Cells() count from 1.
class Range {
public:
    Range(Worksheet& sheet, CellRange cells, bool entireRows = false)
        : m_sheet(&sheet)
        , m_cells(cells)
        , m_entireRows(entireRows) {}

    const CellRange& cells() const { return m_cells; }

    void Select();
    Range EntireRow() const { return Range(*m_sheet, m_cells, true); }
    // Inserts as many whole rows above the range as it spans; cells below
    // move down. Raises std::logic_error on anything but whole rows.
    void Insert();
    // The text of the first cell.
    QString Value() const;
    void setValue(const QString& value);
    void setBold(bool on);
    void ClearContents();

private:
    Worksheet* m_sheet;
    CellRange m_cells;
    bool m_entireRows;
};

// The one sheet of an opened workbook: its cells, its name as shown (the
// full caption, which a workbook file may have had to shorten), its page
// setup and the selected range.
class Worksheet {
public:
    explicit Worksheet(Sheet sheet);

    // "A1", "$A$1:$E$75" or "C3:A1"; raises std::invalid_argument when
    // malformed.
    Range range(const QString& reference);
    Range Cells(int row, int col);

    QString Name() const { return m_sheet.name(); }
    void setName(const QString& name) { m_sheet.setName(name); }
    PageSetup& pageSetup() { return m_pageSetup; }
    const PageSetup& pageSetup() const { return m_pageSetup; }
    const Sheet& sheet() const { return m_sheet; }
    const CellRange& selection() const { return m_selection; }

private:
    friend class Range;
    // Makes the sheet reach the cell; raises std::out_of_range past a
    // sheet's limits.
    void reach(int row, int col);
    void insertRows(int firstRow, int count);

    Sheet m_sheet;
    PageSetup m_pageSetup;
    CellRange m_selection;
};

} // namespace quill
