#pragma once

#include "platform/grid/CellRange.h"
#include "platform/office/PageBreaks.h"

#include <QDateTime>
#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <vector>

class QPainter;
class QPrinter;

namespace quill {

class Worksheet;

// Lays a worksheet out on pages as its page setup says and paints them: the
// print area (the used cells when none is set), title rows on every page
// below them, column widths, bold, borders, grid lines and headings when
// set, centring, zoom or fit to pages, page order, headers and footers.
// Lengths are in points.
class SheetPrinter {
public:
    // Row height and the cell font of a sheet.
    static constexpr double RowHeight = 14.25;
    static constexpr double FontSize = 11;
    // Room for the row numbers when headings are printed.
    static constexpr double HeadingWidth = 27;

    // `now` is what &D and &T print.
    SheetPrinter(const Worksheet& sheet, QDateTime now);

    // Paper, orientation and the whole page as the painter's room.
    void setUp(QPrinter& printer) const;
    int pageCount() const { return m_breaks.pageCount(); }
    const PageBreaks& breaks() const { return m_breaks; }
    // Paints page `index` (0-based) on a painter of a device set up as above.
    void paintPage(QPainter& painter, int index) const;
    // Sets the printer up and prints every page; `pageDone`, when given,
    // hears of each page printed (1, 2, ...).
    void print(QPrinter& printer, const std::function<void(int)>& pageDone = {}) const;

    // A column width of the sheet in points.
    static double columnPoints(int width);

private:
    void drawCells(QPainter& painter, int firstRow, int lastRow, int firstCol, int lastCol,
                   QPointF origin) const;
    void drawHeadings(QPainter& painter, int firstRow, int lastRow, int firstCol, int lastCol,
                      QPointF origin) const;
    void drawHeaderFooter(QPainter& painter, int index) const;
    void drawSection(QPainter& painter, const QString& code, int index, Qt::Alignment align,
                     double x, double y, bool top) const;
    QFont font(double points, bool bold) const;

    const Worksheet& m_sheet;
    QDateTime m_now;
    CellRange m_area;
    int m_titleFirst = -1; // sheet rows, -1 without titles
    int m_titleLast = -1;
    QSizeF m_paper;
    PageBreaks::Input m_input;
    PageBreaks m_breaks;
    std::vector<double> m_columnX; // left edge of each area column, unscaled
    mutable double m_fontScale = 1;
};

} // namespace quill
