#include "platform/office/SheetChart.h"

#include "platform/office/Worksheet.h"
#include "platform/vb/Val.h"

namespace quill {

namespace {

QString cellText(const Sheet& sheet, int row, int col) {
    if (row < 0 || col < 0 || row >= sheet.rowCount() || col >= sheet.columnCount())
        return {};
    return sheet.text(row, col);
}

} // namespace

SheetChart::Data SheetChart::read(const Worksheet& worksheet) const {
    const Sheet& sheet = worksheet.sheet();
    Data data;
    for (int r = source.firstRow + 1; r <= source.lastRow; ++r)
        data.categories << cellText(sheet, r, source.firstCol);
    const int lastCol =
        type == Type::Pie ? std::min(source.lastCol, source.firstCol + 1) : source.lastCol;
    for (int c = source.firstCol + 1; c <= lastCol; ++c) {
        Series series;
        series.name = cellText(sheet, source.firstRow, c);
        for (int r = source.firstRow + 1; r <= source.lastRow; ++r)
            series.values.push_back(vb::Val(cellText(sheet, r, c)));
        data.series.push_back(std::move(series));
    }
    return data;
}

} // namespace quill
