#include "platform/office/WorkbookFile.h"

#include "platform/grid/CellRange.h"
#include "platform/grid/GridError.h"
#include "platform/grid/WorkbookWriter.h"
#include "platform/office/PageSetup.h"
#include "platform/office/SheetChart.h"
#include "platform/office/Worksheet.h"

#include <QRegularExpression>

#include <xlsxwriter.h>

#include <string>

namespace quill {

namespace {

constexpr double PointsPerInch = 72.0;
// Excel's limits of a print scale.
constexpr int MinScale = 10;
constexpr int MaxScale = 400;
// libxlsxwriter's name of the last column.
constexpr int LastFileCol = 16383;

void applyPageSetup(lxw_worksheet* ws, const PageSetup& setup) {
    if (setup.Orientation == PageSetup::Landscape)
        worksheet_set_landscape(ws);
    else
        worksheet_set_portrait(ws);
    if (setup.PaperSize > 0 && setup.PaperSize < 256)
        worksheet_set_paper(ws, std::uint8_t(setup.PaperSize));
    worksheet_set_margins(ws, setup.LeftMargin / PointsPerInch, setup.RightMargin / PointsPerInch,
                          setup.TopMargin / PointsPerInch, setup.BottomMargin / PointsPerInch);

    lxw_header_footer_options header{};
    header.margin = setup.HeaderMargin / PointsPerInch;
    const std::string headerText =
        WorkbookFile::headerFooter(setup.LeftHeader, setup.CenterHeader, setup.RightHeader)
            .toStdString();
    if (!headerText.empty() && header.margin > 0)
        worksheet_set_header_opt(ws, headerText.c_str(), &header);
    else if (!headerText.empty())
        worksheet_set_header(ws, headerText.c_str());
    lxw_header_footer_options footer{};
    footer.margin = setup.FooterMargin / PointsPerInch;
    const std::string footerText =
        WorkbookFile::headerFooter(setup.LeftFooter, setup.CenterFooter, setup.RightFooter)
            .toStdString();
    if (!footerText.empty() && footer.margin > 0)
        worksheet_set_footer_opt(ws, footerText.c_str(), &footer);
    else if (!footerText.empty())
        worksheet_set_footer(ws, footerText.c_str());

    worksheet_gridlines(ws,
                        setup.PrintGridLines ? LXW_SHOW_ALL_GRIDLINES : LXW_SHOW_SCREEN_GRIDLINES);
    if (setup.PrintHeadings)
        worksheet_print_row_col_headers(ws);
    if (setup.CenterHorizontally)
        worksheet_center_horizontally(ws);
    if (setup.CenterVertically)
        worksheet_center_vertically(ws);
    if (setup.Order == PageSetup::OverThenDown)
        worksheet_print_across(ws);
    if (setup.FirstPageNumber != PageSetup::AutomaticPageNumber && setup.FirstPageNumber > 0 &&
        setup.FirstPageNumber <= 0xFFFF)
        worksheet_set_start_page(ws, std::uint16_t(setup.FirstPageNumber));
    if (setup.Zoom > 0)
        worksheet_set_print_scale(ws, std::uint16_t(std::clamp(setup.Zoom, MinScale, MaxScale)));
    else
        worksheet_fit_to_pages(ws, std::uint16_t(std::max(0, setup.FitToPagesWide)),
                               std::uint16_t(std::max(0, setup.FitToPagesTall)));

    int first = 0;
    int last = 0;
    if (WorkbookFile::titleRows(setup.PrintTitleRows, first, last))
        worksheet_repeat_rows(ws, lxw_row_t(first - 1), lxw_row_t(last - 1));
    if (const auto area = CellRange::parse(setup.PrintArea))
        worksheet_print_area(ws, lxw_row_t(area->firstRow), lxw_col_t(area->firstCol),
                             lxw_row_t(area->lastRow), lxw_col_t(area->lastCol));
}

void check(lxw_error error, const char* what) {
    if (error != LXW_NO_ERROR)
        throw GridError(
            QStringLiteral("图表无法写入（%1：%2）")
                .arg(QString::fromLatin1(what), QString::fromUtf8(lxw_strerror(error))));
}

void addChart(lxw_workbook* wb, lxw_worksheet* ws, const SheetChart& wanted,
              const std::string& sheetName, const std::string& title, int besideCol) {
    const bool pie = wanted.type == SheetChart::Type::Pie;
    lxw_chart* chart = workbook_add_chart(wb, pie ? LXW_CHART_PIE : LXW_CHART_COLUMN);
    if (!chart)
        throw GridError(QStringLiteral("图表无法写入"));
    const CellRange& s = wanted.source;
    const int lastCol = pie ? std::min(s.lastCol, s.firstCol + 1) : s.lastCol;
    for (int c = s.firstCol + 1; c <= lastCol; ++c) {
        lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
        if (!series)
            throw GridError(QStringLiteral("图表无法写入"));
        chart_series_set_categories(series, sheetName.c_str(), lxw_row_t(s.firstRow + 1),
                                    lxw_col_t(s.firstCol), lxw_row_t(s.lastRow),
                                    lxw_col_t(s.firstCol));
        chart_series_set_values(series, sheetName.c_str(), lxw_row_t(s.firstRow + 1), lxw_col_t(c),
                                lxw_row_t(s.lastRow), lxw_col_t(c));
        chart_series_set_name_range(series, sheetName.c_str(), lxw_row_t(s.firstRow), lxw_col_t(c));
    }
    if (!title.empty())
        chart_title_set_name(chart, title.c_str());
    // At the top of the sheet, beside the data.
    check(worksheet_insert_chart(ws, 0, lxw_col_t(std::min(besideCol, LastFileCol)), chart),
          "insert");
}

} // namespace

QString WorkbookFile::headerFooter(const QString& left, const QString& center,
                                   const QString& right) {
    QString out;
    if (!left.isEmpty())
        out += QStringLiteral("&L") + left;
    if (!center.isEmpty())
        out += QStringLiteral("&C") + center;
    if (!right.isEmpty())
        out += QStringLiteral("&R") + right;
    return out;
}

bool WorkbookFile::titleRows(const QString& text, int& first, int& last) {
    static const QRegularExpression rows(QStringLiteral("^\\$?([0-9]{1,7}):\\$?([0-9]{1,7})$"));
    const QRegularExpressionMatch m = rows.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    first = m.captured(1).toInt();
    last = m.captured(2).toInt();
    if (first > last)
        std::swap(first, last);
    return first >= 1;
}

void WorkbookFile::save(const Worksheet& sheet, const QString& path, const SheetChart* chart) {
    // Kept until the workbook is closed: libxlsxwriter refers to them then.
    const std::string sheetName = WorkbookWriter::fileSheetName(sheet.Name()).toStdString();
    const std::string title = chart ? chart->title.toStdString() : std::string();
    WorkbookWriter::save(sheet.sheet(), path, [&](lxw_workbook* wb, lxw_worksheet* ws) {
        applyPageSetup(ws, sheet.pageSetup());
        if (chart)
            addChart(wb, ws, *chart, sheetName, title, sheet.sheet().columnCount());
    });
}

} // namespace quill
