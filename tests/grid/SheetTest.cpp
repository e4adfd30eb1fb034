#include "platform/grid/Sheet.h"
#include "platform/grid/CellRange.h"
#include "platform/grid/PlainNumber.h"
#include "platform/grid/WorkbookNumberFormat.h"

#include <gtest/gtest.h>

using namespace quill;

TEST(Sheet, EntriesShowByTheirMark) {
    Sheet s;
    s.resize(2, 3);
    s.setEntry(0, 0, "'007");
    s.setEntry(0, 1, "=A1+1");
    s.setEntry(0, 2, "12.50");
    s.setEntry(1, 0, "'");
    s.setEntry(1, 1, "=");

    EXPECT_EQ(s.text(0, 0), "007");
    EXPECT_EQ(s.entry(0, 0), "'007");
    EXPECT_EQ(s.kind(0, 0), Sheet::Kind::Text);
    // A typed formula has no value yet and shows itself, so nothing is lost.
    EXPECT_EQ(s.kind(0, 1), Sheet::Kind::Formula);
    EXPECT_EQ(s.text(0, 1), "=A1+1");
    EXPECT_EQ(s.entry(0, 1), "=A1+1");
    EXPECT_FALSE(s.hasFormulaValue(0, 1));
    EXPECT_EQ(s.text(0, 2), "12.50");
    EXPECT_EQ(s.entry(0, 2), "12.50");
    EXPECT_EQ(s.text(1, 0), QString());
    EXPECT_EQ(s.entry(1, 0), "'");
    EXPECT_EQ(s.kind(1, 1), Sheet::Kind::Plain);

    s.setFormula(1, 2, "=SUM(A1:A2)", "3");
    EXPECT_EQ(s.text(1, 2), "3");
    EXPECT_EQ(s.entry(1, 2), "=SUM(A1:A2)");
    s.setEntry(1, 2, QString());
    EXPECT_EQ(s.kind(1, 2), Sheet::Kind::Empty);
    EXPECT_EQ(s.formula(1, 2), QString());
}

TEST(Sheet, TextsThatLookLikeEntriesKeepTheirMark) {
    Sheet s;
    s.resize(1, 4);
    s.setText(0, 0, "12");
    s.setText(0, 1, "=x");
    s.setText(0, 2, "007");
    s.setText(0, 3, "'a");
    EXPECT_EQ(s.entry(0, 0), "'12");
    EXPECT_EQ(s.entry(0, 1), "'=x");
    EXPECT_EQ(s.entry(0, 2), "007");
    EXPECT_EQ(s.text(0, 3), "'a");
}

TEST(Sheet, ResizeKeepsCellsAndStyles) {
    Sheet s;
    s.resize(3, 2);
    s.setEntry(2, 1, "c");
    s.setEntry(0, 0, "=1");
    s.setBold(2, 1, true);
    s.setBorders(2, 1, Sheet::Borders{1, 2, 3, 4});
    s.setColumnWidth(1, 3072);
    s.resize(4, 5);
    EXPECT_EQ(s.text(2, 1), "c");
    EXPECT_EQ(s.entry(0, 0), "=1");
    EXPECT_TRUE(s.bold(2, 1));
    EXPECT_EQ(s.borders(2, 1), (Sheet::Borders{1, 2, 3, 4}));
    EXPECT_EQ(s.columnWidth(1), 3072);
    EXPECT_EQ(s.columnWidth(4), Sheet::DefaultColumnWidth);
    EXPECT_EQ(s.text(3, 4), QString());
    s.resize(1, 1);
    s.resize(3, 2);
    EXPECT_EQ(s.text(2, 1), QString());
    EXPECT_FALSE(s.bold(2, 1));
    EXPECT_EQ(s.entry(0, 0), "=1");
    EXPECT_THROW(s.resize(Sheet::MaxRows + 1, 1), std::out_of_range);
    EXPECT_THROW(s.setBorders(0, 0, Sheet::Borders{14, 0, 0, 0}), std::out_of_range);
}

// A cell outside the rectangle is refused, never reached through its
// neighbour in the next row.
TEST(Sheet, CellsOutsideTheSheetAreRefused) {
    Sheet s;
    s.resize(3, 2);
    s.setEntry(1, 0, "keep");
    EXPECT_THROW(s.setEntry(0, 2, "x"), std::out_of_range);
    EXPECT_THROW(s.setBold(0, 2, true), std::out_of_range);
    EXPECT_THROW(s.setBorders(0, 2, Sheet::Borders{1, 1, 1, 1}), std::out_of_range);
    EXPECT_THROW(s.text(3, 0), std::out_of_range);
    EXPECT_THROW(s.kind(-1, 0), std::out_of_range);
    EXPECT_THROW(s.setFormula(0, -1, "=1", QString()), std::out_of_range);
    EXPECT_THROW(s.columnWidth(2), std::out_of_range);
    EXPECT_THROW(s.setColumnWidth(-1, 100), std::out_of_range);
    EXPECT_EQ(s.text(1, 0), "keep");
    EXPECT_FALSE(s.bold(1, 0));
    EXPECT_TRUE(s.borders(1, 0).isNone());
}

TEST(Sheet, RewritingCellsDoesNotGrowWithoutBound) {
    Sheet s;
    s.resize(100, 10);
    for (int round = 0; round < 50; ++round) {
        for (int r = 0; r < 100; ++r)
            for (int c = 0; c < 10; ++c)
                s.setEntry(r, c, QStringLiteral("round %1 cell %2").arg(round).arg(r * 10 + c));
    }
    EXPECT_EQ(s.text(99, 9), "round 49 cell 999");
    EXPECT_EQ(s.text(0, 0), "round 49 cell 0");
    // One round of texts is about 16 characters x 1000 cells.
    EXPECT_LT(s.memoryBytes(), std::size_t(300000));
}

// A copy taken after a mark catches up with the sheet by the rows changed
// since: texts, cleared cells, formulas, bold, borders and widths alike.
TEST(Sheet, ACopyCatchesUpWithTheRowsChangedSinceAMark) {
    // Few enough changed rows to be copied one by one.
    constexpr int Rows = 48;
    Sheet later;
    later.resize(Rows, 3);
    for (int r = 0; r < Rows; ++r)
        later.setEntry(r, 0, QString::number(r));
    const std::uint32_t mark = Sheet::mark();
    Sheet copy = later;
    later.setEntry(2, 0, "'typed");
    later.clearContents(5, 0);
    later.setFormula(9, 1, "=A1", "0");
    later.setBold(11, 2, true);
    later.setBorders(13, 2, Sheet::Borders{1, 2, 3, 4});
    later.setColumnWidth(1, 999);
    EXPECT_FALSE(later.changedSince(3, mark));
    EXPECT_TRUE(later.changedSince(9, mark));
    copy.catchUp(later, mark);
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(copy.entry(r, c), later.entry(r, c)) << r << ',' << c;
            EXPECT_EQ(copy.text(r, c), later.text(r, c)) << r << ',' << c;
            EXPECT_EQ(copy.bold(r, c), later.bold(r, c)) << r << ',' << c;
            EXPECT_EQ(copy.borders(r, c), later.borders(r, c)) << r << ',' << c;
        }
    }
    EXPECT_EQ(copy.columnWidth(1), 999);
    later.resize(Rows + 1, 3);
    EXPECT_TRUE(later.changedSince(3, mark));
}

TEST(CellRange, ParsesReferences) {
    EXPECT_EQ(CellRange::parse(u"$A$5:$E$20"), (CellRange{4, 0, 19, 4}));
    EXPECT_EQ(CellRange::parse(u"e20:a5"), (CellRange{4, 0, 19, 4}));
    EXPECT_EQ(CellRange::parse(u"AA1"), (CellRange{0, 26, 0, 26}));
    EXPECT_EQ(CellRange::parse(u"$B7"), (CellRange{6, 1, 6, 1}));
    for (const char16_t* bad : {u"", u"A", u"5", u"A0", u"A5:", u"$$A5", u"A5:E", u"A-1", u"XFE1",
                                u"A1048577", u"A 5", u"甲1"})
        EXPECT_FALSE(CellRange::parse(bad)) << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ((CellRange{4, 0, 19, 4}).toString(), "A5:E20");
    EXPECT_EQ((CellRange{0, 27, 0, 27}).toString(), "AB1");
    EXPECT_EQ(CellRange::columnName(16383), "XFD");
}

TEST(PlainNumber, OnlyTextsANumberShowsAsWritten) {
    for (const char16_t* yes :
         {u"0", u"12", u"-3", u"12.50", u"0.125", u"-0.5", u"123456789012345"}) {
        EXPECT_TRUE(PlainNumber::parse(yes)) << QString::fromUtf16(yes).toStdString();
    }
    EXPECT_EQ(PlainNumber::parse(u"12.50")->decimals, 2);
    EXPECT_DOUBLE_EQ(PlainNumber::parse(u"-3.25")->value, -3.25);
    EXPECT_EQ(PlainNumber::parse(u"123456.789012345")->value, 123456.789012345);
    for (const char16_t* no : {u"", u"007", u"+5", u"1e3", u"-0", u"-0.00", u"1,000", u" 5", u"5.",
                               u".5", u"1234567890123456", u"12a", u"１２"}) {
        EXPECT_FALSE(PlainNumber::parse(no)) << QString::fromUtf16(no).toStdString();
    }
}

TEST(WorkbookNumberFormat, ShowsNumbersAsTheFormatSays) {
    EXPECT_EQ(WorkbookNumberFormat().format(3.5), "3.5");
    EXPECT_EQ(WorkbookNumberFormat().format(0.1 + 0.2), "0.3");
    EXPECT_EQ(WorkbookNumberFormat::builtIn(2).format(3.5), "3.50");
    EXPECT_EQ(WorkbookNumberFormat::builtIn(4).format(-1234567.891), "-1,234,567.89");
    EXPECT_EQ(WorkbookNumberFormat::fromCode("#0.000").format(2), "2.000");
    EXPECT_EQ(WorkbookNumberFormat::fromCode("0.0%").format(0.125), "12.5%");
    EXPECT_EQ(WorkbookNumberFormat::builtIn(14).format(38018), "2004-02-01");
    EXPECT_EQ(WorkbookNumberFormat::fromCode("yyyy\\-mm\\-dd").format(38018.5), "2004-02-01");
    EXPECT_EQ(WorkbookNumberFormat::fromCode("[h]:mm:ss").format(0.75), "18:00:00");
    EXPECT_EQ(WorkbookNumberFormat::fromCode("\"总计\"0.00").format(1), "总计1.00");
    EXPECT_EQ(WorkbookNumberFormat::fixedCode(0), "0");
    EXPECT_EQ(WorkbookNumberFormat::fixedCode(3), "0.000");
}
