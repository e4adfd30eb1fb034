#include "platform/office/Worksheet.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace quill;

namespace {

Worksheet numbered(int rows, int cols) {
    Sheet sheet;
    sheet.resize(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            sheet.setEntry(r, c, QString::number((r + 1) * 100 + c + 1));
    return Worksheet(std::move(sheet));
}

TEST(Worksheet, InsertingAWholeRowMovesCellsDownWithTheirLooks) {
    Sheet sheet;
    sheet.resize(2, 2);
    sheet.setText(0, 0, "甲");
    sheet.setBold(0, 1, true);
    sheet.setBorders(0, 1, {1, 1, 1, 1});
    sheet.setFormula(1, 0, "=1+1", "2");
    Worksheet ws(std::move(sheet));
    ws.range("A1").Select();
    ws.range("A1").EntireRow().Insert();
    const Sheet& s = ws.sheet();
    ASSERT_EQ(s.rowCount(), 3);
    EXPECT_EQ(s.text(0, 0), "");
    EXPECT_FALSE(s.bold(0, 1));
    EXPECT_TRUE(s.borders(0, 1).isNone());
    EXPECT_EQ(s.text(1, 0), "甲");
    EXPECT_TRUE(s.bold(1, 1));
    EXPECT_EQ(s.borders(1, 1), (Sheet::Borders{1, 1, 1, 1}));
    EXPECT_EQ(s.formula(2, 0), "=1+1");
    EXPECT_EQ(s.text(2, 0), "2");
    EXPECT_EQ(ws.selection(), (CellRange{0, 0, 0, 0}));
    EXPECT_THROW(ws.range("A1").Insert(), std::logic_error);
}

TEST(Worksheet, CellsTakeValuesAndBoldAndTheSheetGrowsToThem) {
    Worksheet ws = numbered(1, 1);
    ws.Cells(2, 3).setValue("姓名");
    ws.Cells(2, 3).setBold(true);
    EXPECT_EQ(ws.sheet().rowCount(), 2);
    EXPECT_EQ(ws.sheet().columnCount(), 3);
    EXPECT_EQ(ws.Cells(2, 3).Value(), "姓名");
    EXPECT_TRUE(ws.sheet().bold(1, 2));
    EXPECT_EQ(ws.Cells(9, 9).Value(), "");
    EXPECT_THROW(ws.Cells(0, 1), std::out_of_range);
    EXPECT_THROW(ws.range("A1:"), std::invalid_argument);
}

TEST(Worksheet, ClearContentsClearsTheRangeOnlyAndTakesCornersInAnyOrder) {
    Worksheet ws = numbered(5, 4);
    ws.range("C1:CZ16000").ClearContents();
    EXPECT_EQ(ws.sheet().text(4, 1), "502");
    EXPECT_EQ(ws.sheet().text(0, 2), "");
    EXPECT_EQ(ws.sheet().text(4, 3), "");
    // A range written bottom first is the same rectangle.
    ws.range("A5:B4").ClearContents();
    EXPECT_EQ(ws.sheet().text(2, 0), "301");
    EXPECT_EQ(ws.sheet().text(3, 0), "");
    EXPECT_EQ(ws.sheet().text(4, 1), "");
}

} // namespace
