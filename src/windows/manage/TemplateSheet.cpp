#include "windows/manage/TemplateSheet.h"

#include "foundation/Mdlx.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "platform/grid/GridError.h"
#include "platform/vb/Format.h"
#include "platform/vb/PlainText.h"
#include "platform/vb/Val.h"
#include "suite/SuiteLib.h"
#include "windows/manage/PageModel.h"
#include "windows/manage/RenderProgress.h"
#include "windows/manage/SheetCellWriter.h"
#include "windows/manage/SheetTotals.h"

#include <QDate>

#include <algorithm>
#include <cmath>

namespace quill {

namespace {

// A parameter cell as a whole number; text, negative values and nonsense
// sizes give no layout rather than a broken one.
int parameterOf(const QString& text) {
    const double value = vb::Val(text);
    if (!(value > 0))
        return 0;
    return int(std::min(std::round(value), double(TemplateSheet::MaxRows)));
}

} // namespace

TemplateSheet::TemplateSheet(F1Book& book, Recordset& data, const std::vector<SheetColumn>& columns,
                             SheetCellWriter& writer, RenderProgress& progress, int recordCount)
    : m_book(book)
    , m_data(data)
    , m_columns(columns)
    , m_writer(writer)
    , m_progress(progress)
    , m_recordCount(recordCount) {}

TemplateSheet::Parameters TemplateSheet::parametersOf(const Sheet& sheet) {
    Parameters parameters{};
    if (sheet.rowCount() < 1)
        return parameters;
    for (int k = 1; k <= std::min(5, sheet.columnCount()); ++k)
        parameters[std::size_t(k - 1)] = parameterOf(sheet.text(0, k - 1));
    return parameters;
}

void TemplateSheet::clearParameters(F1Book& book) {
    for (int k = 1; k <= 5; ++k)
        book.SetCellText(1, k, QString());
}

void TemplateSheet::checkLayout(const Parameters& p, int recordCount) {
    if (p[1] <= 0 || recordCount <= 0)
        return;
    const int block = p[0] + p[1] + p[2];
    const int pages = (recordCount + p[1] - 1) / p[1];
    const qint64 lastRow = qint64(block) * pages;
    if (lastRow >= Sheet::MaxRows)
        throw GridError(QStringLiteral("模板每页 %1 行，%2 页共 %3 行，超出工作表的行数")
                            .arg(block)
                            .arg(pages)
                            .arg(lastRow));
}

void TemplateSheet::render(const Parameters& p) {
    m_printDate = QStringLiteral(" 打印日期：") +
                  vb::Format(QVariant(QDate::currentDate()), QStringLiteral("yyyy-mm-dd"));
    if (p[1] > 0)
        renderPaged(p[0], p[1], p[2]);
    else if (p[3] > 0)
        renderBlock(p[3], p[4]);
    else
        renderPlain(p[0]);
}

int TemplateSheet::writeRecords(int count, int firstRow, int firstCol) {
    if (count <= 0)
        return 0;
    m_data.MoveFirst();
    for (int n = 0; n < count; ++n) {
        m_writer.writeRecord(firstRow + n, firstCol);
        m_progress.step(n + 1);
        m_data.MoveNext();
    }
    return count;
}

void TemplateSheet::renderPlain(int headingRow) {
    if (headingRow >= 1) {
        for (const SheetColumn& column : m_columns)
            m_book.SetCellText(headingRow, column.field + 1, column.caption);
    }
    const int lastRow = m_recordCount >= MaxRows ? MaxRows : headingRow + m_recordCount;
    m_book.SetLastRow(lastRow);
    // Row 3 takes the header texts only when it is a header row; below the
    // heading row they would land on a record.
    if (headingRow >= 3) {
        SuiteLib& lib = SuiteLib::instance();
        m_book.SetCellText(3, m_book.LastCol(), m_printDate);
        if (!lib.ColumnLookup(QStringLiteral("zhtime")).isEmpty())
            m_book.SetCellText(3, 1, lib.CurrentPeriod);
    }
    const int written =
        writeRecords(std::min(m_recordCount, lastRow - headingRow), headingRow + 1, 1);
    appendTotals({{headingRow + 1, headingRow + written}}, 1);
}

void TemplateSheet::renderBlock(int rowsAbove, int colsLeft) {
    const int count = std::clamp(m_recordCount, 0, MaxRows - rowsAbove);
    m_book.SetLastRow(std::max(m_book.LastRow(), rowsAbove + count));
    const int written = writeRecords(count, rowsAbove + 1, colsLeft + 1);
    appendTotals({{rowsAbove + 1, rowsAbove + written}}, colsLeft + 1);
}

void TemplateSheet::renderPaged(int headerRows, int perPage, int footerRows) {
    const int block = headerRows + perPage + footerRows;
    const int pages = (m_recordCount + perPage - 1) / perPage;
    m_rowsPerBlock = block;
    m_pageCount = pages;
    checkLayout({headerRows, perPage, footerRows, 0, 0}, m_recordCount);

    const PageModel model(m_book, block);
    m_book.SetLastRow(m_recordCount > 0 ? block * pages : headerRows);
    for (int k = 1; k < pages; ++k)
        model.copyContents(m_book, k * block + 1);

    SheetTotals::RowRanges recordRows;
    if (m_recordCount > 0)
        m_data.MoveFirst();
    for (int n = 1; n <= m_recordCount; ++n) {
        const int k = (n - 1) / perPage;
        const int onPage = (n - 1) % perPage + 1;
        if (onPage == 1)
            writePageHeader(k, headerRows);
        const int row = k * block + headerRows + onPage;
        m_writer.writeRecord(row, 1);
        m_progress.step(n);
        m_data.MoveNext();
        if (onPage == perPage || n == m_recordCount) {
            writePageFooter(k, headerRows, perPage, onPage, n);
            recordRows.emplace_back(row - onPage + 1, row);
        }
    }

    // Without footer rows the block's last row is a record row; the number
    // would cover a value.
    if (footerRows >= 1) {
        for (int k = 1; k <= pages; ++k)
            m_book.SetCellText(k * block, m_book.LastCol(),
                               QStringLiteral("第%1页,共%2页").arg(k).arg(pages));
    }
    // The frame outlines each page's headings and records; the template's
    // own lines inside it are drawn again over the frame's cleared edges.
    for (int k = 0; k < pages; ++k) {
        const int heading = k * block + headerRows;
        framePage(std::max(heading, 1), heading + perPage);
        model.drawBorders(m_book, k * block + 1);
    }
    if (pages > 0)
        m_book.SetActiveCell(1, 1); // not left on the last page's frame
    appendTotals(recordRows, 1);
}

void TemplateSheet::appendTotals(const SheetTotals::RowRanges& recordRows, int firstCol) {
    // A template lays out its own pages; a totals row is added only when the
    // report has something to total.
    if (recordRows.empty() || recordRows.front().second < recordRows.front().first ||
        Mdlx::instance().SumCount <= 0)
        return;
    SheetTotals::append(m_book, m_columns, recordRows, firstCol);
}

void TemplateSheet::writePageHeader(int block, int headerRows) {
    if (headerRows < 3)
        return; // row 3 of the block is a record row
    const SuiteLib& lib = SuiteLib::instance();
    const int row = block * m_rowsPerBlock + 3;
    const int lastCol = m_book.LastCol();
    if (m_book.CellText(row, 1).isEmpty())
        m_book.SetCellText(row, 1, lib.FilterCaption1 + lib.FilterCaption2 + lib.FilterCaption3);
    if (lastCol / 2 >= 1)
        m_book.SetCellText(row, lastCol / 2, lib.CurrentPeriod);
    m_book.SetCellText(row, lastCol, m_printDate);
}

void TemplateSheet::writePageFooter(int block, int headerRows, int perPage, int onPage,
                                    int recordsSoFar) {
    const int footerRows = m_rowsPerBlock - headerRows - perPage;
    if (footerRows < 4)
        return;
    const int heading = block * m_rowsPerBlock + headerRows;
    const int pageRows = heading + perPage + 2;  // records on the page, or the page's sums
    const int totalRows = heading + perPage + 3; // records so far, or the running sums
    for (int c = 2; c <= m_book.LastCol(); ++c) {
        if (heading >= 1 && m_book.CellText(heading, c) == QStringLiteral("姓名")) {
            m_book.SetCellText(pageRows, c, vb::NumberText(onPage));
            m_book.SetCellText(totalRows, c, vb::NumberText(recordsSoFar));
            continue;
        }
        double sum = 0;
        for (int r = heading + 1; r <= heading + perPage; ++r)
            sum += vb::Val(m_book.CellText(r, c));
        if (m_book.CellEntry(pageRows, c).isEmpty())
            m_book.SetCellText(pageRows, c, vb::NumberText(sum));
        if (m_book.CellEntry(totalRows, c).isEmpty()) {
            const double before =
                block == 0 ? 0 : vb::Val(m_book.CellText(totalRows - m_rowsPerBlock, c));
            m_book.SetCellText(totalRows, c, vb::NumberText(before + sum));
        }
    }
}

void TemplateSheet::framePage(int firstRow, int lastRow) {
    m_book.SelectRange(QStringLiteral("$A") + Mdlx::RowRef(firstRow) + QLatin1Char(':') +
                       Mdlx::ColumnRef(m_book.LastCol()) + Mdlx::RowRef(lastRow));
    m_book.SetBorder(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0);
}

} // namespace quill
