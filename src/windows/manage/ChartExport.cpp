#include "windows/manage/ChartExport.h"

#include "foundation/Mdlx.h"
#include "platform/grid/F1Book.h"
#include "platform/grid/PlainNumber.h"
#include "platform/office/WorkbookFile.h"
#include "platform/vb/Val.h"
#include "suite/SuiteLib.h"
#include "windows/manage/PageOutput.h"

#include <QRegularExpression>

#include <cmath>

namespace quill {

namespace {

// The numeric value of a cell's text, as a text the workbook takes for a
// number.
QString numberText(const QString& text) {
    if (PlainNumber::parse(text))
        return text;
    const double value = vb::Val(text);
    return QString::number(std::isfinite(value) ? value : 0.0, 'g', 15);
}

} // namespace

int ChartExport::groupItemCount(const QString& sqlGroup) {
    static const QRegularExpression groupBy(QStringLiteral("^\\s*group\\s+by\\s+"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString items = sqlGroup;
    items.remove(groupBy);
    int count = 0;
    for (const QString& item : items.split(u','))
        if (!item.trimmed().isEmpty())
            ++count;
    return count;
}

ChartExport::Made ChartExport::make(const F1Book& book, int templateRows) {
    return make(book, templateRows, groupItemCount(SuiteLib::instance().SqlGroup),
                Mdlx::instance().SumCount);
}

ChartExport::Made ChartExport::make(const F1Book& book, int templateRows, int groupItems,
                                    int sumCount) {
    Made made{Worksheet(book.sheet()), SheetChart{}};
    Worksheet& sheet = made.sheet;
    sheet.setName(book.SheetName(1));
    const int lastCol = book.LastCol();
    const int lastRow = book.LastRow();
    const bool isTemplate = templateRows > 0;
    const int totals = sumCount > 0 ? 1 : 0;

    // The record rows' cells as numbers, from column 2 on.
    const int firstRecord = isTemplate ? templateRows + 1 : 1;
    for (int r = firstRecord; r <= lastRow - totals; ++r)
        for (int c = 2; c <= lastCol; ++c) {
            Range cell = sheet.Cells(r, c);
            cell.setValue(numberText(cell.Value()));
        }

    SheetChart& chart = made.chart;
    chart.type =
        lastCol - groupItems > 1 ? SheetChart::Type::ColumnClustered : SheetChart::Type::Pie;
    chart.title = book.SheetName(1);
    const int rangeLastCol = chart.type == SheetChart::Type::Pie ? 2 : std::max(lastCol, 2);
    if (isTemplate) {
        chart.source = CellRange{templateRows - 1, 0, lastRow - totals - 1, rangeLastCol - 1};
    } else {
        PageOutput::insertHeadingRow(sheet, book);
        chart.source = CellRange{0, 0, lastRow + 1 - totals - 1, rangeLastCol - 1};
    }
    return made;
}

void ChartExport::write(const Made& made, const QString& path) {
    WorkbookFile::save(made.sheet, path, &made.chart);
}

} // namespace quill
