#pragma once

#include "windows/manage/SheetColumn.h"
#include "windows/manage/SheetTotals.h"

#include <QString>

#include <array>
#include <vector>

namespace quill {

class F1Book;
class Recordset;
class Sheet;
class RenderProgress;
class SheetCellWriter;

// The template mode of the result sheet: a report's own workbook whose first
// row holds five whole numbers that say how records are laid on it.
//   1 header rows (and the heading row of a plain template), 2 records per
//   page, 3 footer rows, 4 rows above and 5 columns left of a record block.
// Records per page above 0 make a paged template, else rows above a block
// above 0 a block template, else the template is a plain one.
class TemplateSheet {
public:
    using Parameters = std::array<int, 5>;

    // Rows of the sheet at most, as in the default mode.
    static constexpr int MaxRows = 16380;

    TemplateSheet(F1Book& book, Recordset& data, const std::vector<SheetColumn>& columns,
                  SheetCellWriter& writer, RenderProgress& progress, int recordCount);

    // The parameters in cells (1, 1) to (1, 5) of a template as read.
    static Parameters parametersOf(const Sheet& sheet);
    // Clears those cells of the loaded template.
    static void clearParameters(F1Book& book);
    // Raises GridError when the layout would not fit on a sheet.
    static void checkLayout(const Parameters& parameters, int recordCount);

    // Fills the loaded template (its switches already set).
    void render(const Parameters& parameters);

    int pageCount() const { return m_pageCount; }
    int rowsPerBlock() const { return m_rowsPerBlock; }

private:
    void renderPlain(int headingRow);
    void renderBlock(int rowsAbove, int colsLeft);
    void renderPaged(int headerRows, int perPage, int footerRows);
    void writePageHeader(int block, int headerRows);
    void writePageFooter(int block, int headerRows, int perPage, int onPage, int recordsSoFar);
    void framePage(int firstRow, int lastRow);
    int writeRecords(int count, int firstRow, int firstCol);
    void appendTotals(const SheetTotals::RowRanges& recordRows, int firstCol);

    F1Book& m_book;
    Recordset& m_data;
    const std::vector<SheetColumn>& m_columns;
    SheetCellWriter& m_writer;
    RenderProgress& m_progress;
    int m_recordCount;
    int m_pageCount = 0;
    int m_rowsPerBlock = 0;
    QString m_printDate;
};

} // namespace quill
