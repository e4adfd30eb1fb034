#include "platform/office/SheetPrinter.h"

#include "platform/office/HeaderFooterText.h"
#include "platform/office/PaperSizes.h"
#include "platform/office/Worksheet.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <numeric>

namespace quill {

namespace {

// "$1:$4", "1:4" or a cell range: the sheet rows (0-based) it spans.
std::optional<std::pair<int, int>> titleRows(const QString& text) {
    if (text.trimmed().isEmpty())
        return std::nullopt;
    if (const auto cells = CellRange::parse(text))
        return std::pair{cells->firstRow, cells->lastRow};
    QString plain = text;
    plain.remove(u'$');
    const QStringList parts = plain.split(u':');
    bool ok1 = false, ok2 = false;
    const int a = parts.value(0).trimmed().toInt(&ok1);
    const int b = parts.size() == 2 ? parts[1].trimmed().toInt(&ok2) : a;
    if (!ok1 || (parts.size() == 2 && !ok2) || parts.size() > 2 || a < 1 || b < 1)
        return std::nullopt;
    return std::pair{std::min(a, b) - 1, std::max(a, b) - 1};
}

bool rightAligned(const Sheet& sheet, int row, int col, const QString& text) {
    if (sheet.kind(row, col) == Sheet::Kind::Text)
        return false;
    bool number = false;
    text.toDouble(&number);
    return number;
}

double penWidth(int style) {
    switch (style) {
    case 2:
        return 1.0;
    case 5:
    case 6:
        return 1.5;
    case 7:
        return 0.25;
    default:
        return 0.5;
    }
}

} // namespace

double SheetPrinter::columnPoints(int width) {
    // Seven pixels a character plus five of padding, at 96 pixels an inch.
    return (width / 256.0 * 7 + 5) * 0.75;
}

SheetPrinter::SheetPrinter(const Worksheet& worksheet, QDateTime now)
    : m_sheet(worksheet)
    , m_now(std::move(now)) {
    const Sheet& sheet = worksheet.sheet();
    const PageSetup& setup = worksheet.pageSetup();
    const int lastRow = std::max(sheet.rowCount() - 1, 0);
    const int lastCol = std::max(sheet.columnCount() - 1, 0);
    m_area = CellRange::parse(setup.PrintArea).value_or(CellRange{0, 0, lastRow, lastCol});
    m_area.lastRow = std::min(m_area.lastRow, lastRow);
    m_area.lastCol = std::min(m_area.lastCol, lastCol);
    m_area.firstRow = std::min(m_area.firstRow, m_area.lastRow);
    m_area.firstCol = std::min(m_area.firstCol, m_area.lastCol);
    if (const auto titles = titleRows(setup.PrintTitleRows);
        titles && titles->first <= lastRow && sheet.rowCount() > 0) {
        m_titleFirst = titles->first;
        m_titleLast = std::min(titles->second, lastRow);
    }

    QSizeF paper = PaperSizes::pageSize(setup.PaperSize).size(QPageSize::Point);
    if (setup.Orientation == PageSetup::Landscape)
        paper.transpose();
    m_paper = paper;

    const bool cells = sheet.rowCount() > 0 && sheet.columnCount() > 0;
    for (int c = m_area.firstCol; cells && c <= m_area.lastCol; ++c)
        m_input.columnWidths.push_back(columnPoints(sheet.columnWidth(c)));
    m_input.rowHeights.assign(cells ? std::size_t(m_area.lastRow - m_area.firstRow + 1) : 0,
                              RowHeight);
    if (m_titleFirst >= 0) {
        m_input.titleHeight = (m_titleLast - m_titleFirst + 1) * RowHeight;
        m_input.rowsBeforeTitles = std::max(m_titleLast - m_area.firstRow + 1, 0);
    }
    if (setup.PrintHeadings) {
        m_input.headingWidth = HeadingWidth;
        m_input.headingHeight = RowHeight;
    }
    m_input.printableWidth = std::max(paper.width() - setup.LeftMargin - setup.RightMargin, 1.0);
    m_input.printableHeight = std::max(paper.height() - setup.TopMargin - setup.BottomMargin, 1.0);
    m_input.zoom = setup.Zoom;
    m_input.fitWide = setup.FitToPagesWide;
    m_input.fitTall = setup.FitToPagesTall;
    m_input.overThenDown = setup.Order == PageSetup::OverThenDown;
    m_breaks = PageBreaks::compute(m_input);

    m_columnX.resize(m_input.columnWidths.size() + 1);
    std::partial_sum(m_input.columnWidths.begin(), m_input.columnWidths.end(),
                     m_columnX.begin() + 1);
}

void SheetPrinter::setUp(QPrinter& printer) const {
    const PageSetup& setup = m_sheet.pageSetup();
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(
        PaperSizes::pageSize(setup.PaperSize),
        setup.Orientation == PageSetup::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF()));
    printer.setColorMode(setup.BlackAndWhite ? QPrinter::GrayScale : QPrinter::Color);
    printer.setDocName(m_sheet.Name());
}

void SheetPrinter::print(QPrinter& printer, const std::function<void(int)>& pageDone) const {
    setUp(printer);
    QPainter painter(&printer);
    for (int i = 0; i < pageCount(); ++i) {
        if (i > 0)
            printer.newPage();
        paintPage(painter, i);
        if (pageDone)
            pageDone(i + 1);
    }
}

QFont SheetPrinter::font(double points, bool bold) const {
    QFont f;
    f.setPointSizeF(points * m_fontScale);
    f.setBold(bold);
    return f;
}

void SheetPrinter::paintPage(QPainter& painter, int index) const {
    const PageSetup& setup = m_sheet.pageSetup();
    painter.save();
    m_fontScale = 72.0 / painter.device()->logicalDpiY();
    painter.scale(1 / m_fontScale, 1 / m_fontScale);
    drawHeaderFooter(painter, index);

    const PageBreaks::Page page = m_breaks.page(index);
    const PageBreaks::Band rows = m_breaks.rowBands()[std::size_t(page.rowBand)];
    const PageBreaks::Band cols = m_breaks.columnBands()[std::size_t(page.columnBand)];
    if (rows.last < rows.first || cols.last < cols.first) {
        painter.restore();
        return;
    }
    const bool titles = m_breaks.titlesOn(page.rowBand, m_input);
    const double s = m_breaks.scale();
    const double width = m_input.headingWidth + m_columnX[std::size_t(cols.last + 1)] -
                         m_columnX[std::size_t(cols.first)];
    const double height = m_input.headingHeight + (titles ? m_input.titleHeight : 0) +
                          (rows.last - rows.first + 1) * RowHeight;
    double x = setup.LeftMargin;
    double y = setup.TopMargin;
    if (setup.CenterHorizontally)
        x += std::max((m_input.printableWidth - width * s) / 2, 0.0);
    if (setup.CenterVertically)
        y += std::max((m_input.printableHeight - height * s) / 2, 0.0);
    painter.translate(x, y);
    painter.scale(s, s);

    const int firstCol = m_area.firstCol + cols.first;
    const int lastCol = m_area.firstCol + cols.last;
    double top = m_input.headingHeight;
    if (titles) {
        drawHeadings(painter, m_titleFirst, m_titleLast, firstCol, lastCol, {0, top});
        drawCells(painter, m_titleFirst, m_titleLast, firstCol, lastCol,
                  {m_input.headingWidth, top});
        top += m_input.titleHeight;
    }
    drawHeadings(painter, m_area.firstRow + rows.first, m_area.firstRow + rows.last, firstCol,
                 lastCol, {0, top});
    drawCells(painter, m_area.firstRow + rows.first, m_area.firstRow + rows.last, firstCol, lastCol,
              {m_input.headingWidth, top});
    painter.restore();
}

void SheetPrinter::drawCells(QPainter& painter, int firstRow, int lastRow, int firstCol,
                             int lastCol, QPointF origin) const {
    const Sheet& sheet = m_sheet.sheet();
    const double left = m_columnX[std::size_t(firstCol - m_area.firstCol)];
    auto colX = [&](int c) {
        return origin.x() + m_columnX[std::size_t(c - m_area.firstCol)] - left;
    };
    const QFont plain = font(FontSize, false);
    const QFont bold = font(FontSize, true);
    const QFontMetricsF plainMetrics(plain, painter.device());
    const QFontMetricsF boldMetrics(bold, painter.device());
    const double baseline = (RowHeight + plainMetrics.ascent() - plainMetrics.descent()) / 2;
    constexpr double Padding = 2;
    bool boldOn = false;
    painter.setFont(plain);
    painter.setPen(Qt::black);
    for (int r = firstRow; r <= lastRow; ++r) {
        const double y = origin.y() + (r - firstRow) * RowHeight;
        for (int c = firstCol; c <= lastCol; ++c) {
            const QString text = sheet.text(r, c);
            if (text.isEmpty())
                continue;
            if (sheet.bold(r, c) != boldOn) {
                boldOn = !boldOn;
                painter.setFont(boldOn ? bold : plain);
            }
            double x = colX(c) + Padding;
            if (rightAligned(sheet, r, c, text))
                x = colX(c + 1) - Padding -
                    (boldOn ? boldMetrics : plainMetrics).horizontalAdvance(text);
            painter.drawText(QPointF(x, y + baseline), text);
        }
    }
    const double right = colX(lastCol + 1);
    const double bottom = origin.y() + (lastRow - firstRow + 1) * RowHeight;
    if (m_sheet.pageSetup().PrintGridLines) {
        painter.setPen(QPen(Qt::gray, 0.25));
        for (int r = firstRow; r <= lastRow + 1; ++r) {
            const double y = origin.y() + (r - firstRow) * RowHeight;
            painter.drawLine(QPointF(origin.x(), y), QPointF(right, y));
        }
        for (int c = firstCol; c <= lastCol + 1; ++c)
            painter.drawLine(QPointF(colX(c), origin.y()), QPointF(colX(c), bottom));
    }
    for (int r = firstRow; r <= lastRow; ++r) {
        const double y = origin.y() + (r - firstRow) * RowHeight;
        for (int c = firstCol; c <= lastCol; ++c) {
            const Sheet::Borders b = sheet.borders(r, c);
            if (b.isNone())
                continue;
            const double x0 = colX(c), x1 = colX(c + 1), y1 = y + RowHeight;
            auto edge = [&](int style, QPointF a, QPointF z) {
                if (style == 0)
                    return;
                painter.setPen(QPen(Qt::black, penWidth(style)));
                painter.drawLine(a, z);
            };
            edge(b.left, {x0, y}, {x0, y1});
            edge(b.right, {x1, y}, {x1, y1});
            edge(b.top, {x0, y}, {x1, y});
            edge(b.bottom, {x0, y1}, {x1, y1});
        }
    }
}

void SheetPrinter::drawHeadings(QPainter& painter, int firstRow, int lastRow, int firstCol,
                                int lastCol, QPointF origin) const {
    if (!m_sheet.pageSetup().PrintHeadings)
        return;
    const QFont f = font(FontSize, false);
    painter.setFont(f);
    painter.setPen(QPen(Qt::black, 0.25));
    const double left = m_columnX[std::size_t(firstCol - m_area.firstCol)];
    if (origin.y() == m_input.headingHeight) {
        for (int c = firstCol; c <= lastCol; ++c) {
            const double x0 = HeadingWidth + m_columnX[std::size_t(c - m_area.firstCol)] - left;
            const double x1 = HeadingWidth + m_columnX[std::size_t(c + 1 - m_area.firstCol)] - left;
            const QRectF cell(x0, 0, x1 - x0, RowHeight);
            painter.drawRect(cell);
            painter.drawText(cell, Qt::AlignCenter, CellRange::columnName(c));
        }
    }
    for (int r = firstRow; r <= lastRow; ++r) {
        const QRectF cell(0, origin.y() + (r - firstRow) * RowHeight, HeadingWidth, RowHeight);
        painter.drawRect(cell);
        painter.drawText(cell, Qt::AlignCenter, QString::number(r + 1));
    }
}

void SheetPrinter::drawHeaderFooter(QPainter& painter, int index) const {
    const PageSetup& setup = m_sheet.pageSetup();
    const double left = setup.LeftMargin;
    const double center = m_paper.width() / 2;
    const double right = m_paper.width() - setup.RightMargin;
    const double top = setup.HeaderMargin;
    const double bottom = m_paper.height() - setup.FooterMargin;
    drawSection(painter, setup.LeftHeader, index, Qt::AlignLeft, left, top, true);
    drawSection(painter, setup.CenterHeader, index, Qt::AlignHCenter, center, top, true);
    drawSection(painter, setup.RightHeader, index, Qt::AlignRight, right, top, true);
    drawSection(painter, setup.LeftFooter, index, Qt::AlignLeft, left, bottom, false);
    drawSection(painter, setup.CenterFooter, index, Qt::AlignHCenter, center, bottom, false);
    drawSection(painter, setup.RightFooter, index, Qt::AlignRight, right, bottom, false);
}

void SheetPrinter::drawSection(QPainter& painter, const QString& code, int index,
                               Qt::Alignment align, double x, double y, bool top) const {
    if (code.isEmpty())
        return;
    HeaderFooterText::Fields fields;
    fields.page = m_sheet.pageSetup().firstPageNumber() + index;
    fields.pages = pageCount();
    fields.sheetName = m_sheet.Name();
    fields.now = m_now;
    const auto runs = HeaderFooterText::runs(code, fields);
    struct Piece {
        QFont font;
        double width;
        double ascent;
        double descent;
    };
    std::vector<Piece> pieces;
    double width = 0, ascent = 0, descent = 0;
    for (const auto& run : runs) {
        QFont f = font(run.pointSize > 0 ? run.pointSize : FontSize, run.bold);
        if (!run.family.isEmpty())
            f.setFamily(run.family);
        f.setItalic(run.italic);
        f.setUnderline(run.underline);
        const QFontMetricsF m(f, painter.device());
        pieces.push_back({f, m.horizontalAdvance(run.text), m.ascent(), m.descent()});
        width += pieces.back().width;
        ascent = std::max(ascent, m.ascent());
        descent = std::max(descent, m.descent());
    }
    double start = x;
    if (align & Qt::AlignHCenter)
        start = x - width / 2;
    else if (align & Qt::AlignRight)
        start = x - width;
    const double baseline = top ? y + ascent : y - descent;
    painter.setPen(Qt::black);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        painter.setFont(pieces[i].font);
        painter.drawText(QPointF(start, baseline), runs[i].text);
        start += pieces[i].width;
    }
}

} // namespace quill
