#include "DemoSheets.h"

#include "demo/DemoReport.h"
#include "demo/DemoSchema.h"

#include <algorithm>

namespace quill {

namespace {

// The module's default column width.
constexpr int ColumnWidth = 3072;
constexpr Sheet::Borders Thin{1, 1, 1, 1};

} // namespace

Sheet DemoSheets::baseSheet() {
    Sheet sheet;
    sheet.resize(1, 20);
    for (int c = 0; c < sheet.columnCount(); ++c)
        sheet.setColumnWidth(c, ColumnWidth);
    sheet.setName(QStringLiteral("Sheet1"));
    return sheet;
}

Sheet DemoSheets::pagedTemplate(const DemoReport& report) {
    const DemoTable& table = DemoSchema::table(report.table);
    const int cols = static_cast<int>(report.display.size());
    const int heading = HeaderRows - 1; // 0-based rows from here on
    const int footer = HeaderRows + RecordsPerPage;
    Sheet sheet;
    sheet.resize(HeaderRows + RecordsPerPage + FooterRows, std::max(cols, 5));
    sheet.setName(report.name);
    const int parameters[] = {HeaderRows, RecordsPerPage, FooterRows, 0, 0};
    for (int k = 0; k < 5; ++k)
        sheet.setEntry(0, k, QString::number(parameters[k]));
    sheet.setText(1, 0, report.name);
    sheet.setBold(1, 0, true);
    for (int c = 0; c < cols; ++c) {
        const int index = static_cast<int>(table.fields().indexOf(report.display.at(c)));
        sheet.setText(heading, c, table.columns.at(index).caption);
        sheet.setBold(heading, c, true);
        sheet.setColumnWidth(c, ColumnWidth);
        for (int r = heading; r < footer; ++r)
            sheet.setBorders(r, c, Thin);
    }
    sheet.setText(footer + 1, 0, QStringLiteral("本页合计"));
    sheet.setText(footer + 2, 0, QStringLiteral("累计"));
    sheet.setText(footer + 3, 0, QStringLiteral("制表："));
    return sheet;
}

} // namespace quill
