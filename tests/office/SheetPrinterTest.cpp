#include "PdfText.h"

#include "platform/grid/WorkbookWriter.h"
#include "platform/office/Application.h"
#include "platform/office/SheetPrinter.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quill;
using quill::test::pageLines;
using quill::test::pdfPages;

namespace {

// A heading row in bold above rows of "r<row>c<col>" texts.
Sheet roster(int records, int cols) {
    Sheet sheet;
    sheet.resize(records + 1, cols);
    sheet.setName("职工名册");
    for (int c = 0; c < cols; ++c) {
        sheet.setText(0, c, QStringLiteral("列%1").arg(c + 1));
        sheet.setBold(0, c, true);
        for (int r = 1; r <= records; ++r)
            sheet.setText(r, c, QStringLiteral("r%1c%2").arg(r + 1).arg(c + 1));
    }
    return sheet;
}

class SheetPrinterTest : public ::testing::Test {
protected:
    // Writes the sheet as a workbook file, opens it as the routine does and
    // prints it into a PDF file; the text of its pages.
    QStringList print(const Sheet& sheet, const std::function<void(PageSetup&)>& setUp) {
        const QString book = m_dir.filePath("Tmp.xls");
        WorkbookWriter::save(sheet, book);
        Application app;
        app.setNow(QDateTime(QDate(2026, 12, 6), QTime(9, 30)));
        Worksheet& ws = app.open(book);
        setUp(ws.pageSetup());
        const QString pdf = m_dir.filePath("Tmp.pdf");
        app.printToPdf(pdf);
        return pdfPages(pdf);
    }

    QTemporaryDir m_dir;
};

TEST_F(SheetPrinterTest, TitleRowsHeadersAndFootersOnEveryPage) {
    const QStringList pages = print(roster(120, 3), [](PageSetup& s) {
        s.PrintTitleRows = "$1:$1";
        s.CenterHeader = "&\"宋体,加粗\"&16&A";
        s.LeftFooter = "&\"Times New Roman,常规\"&N";
        s.RightFooter = "&\"Times New Roman,常规\"&P";
        s.CenterFooter = "张三     第&P页&Q";
    });
    // 51 rows a page on A4 with the usual margins: 51, 50, 20 after titles.
    ASSERT_EQ(pages.size(), 3);
    const QStringList firstRows = {"r2c1", "r52c1", "r102c1"};
    for (int i = 0; i < pages.size(); ++i) {
        const QStringList text = pageLines(pages[i]);
        ASSERT_GE(text.size(), 4);
        EXPECT_EQ(text.first(), "职工名册") << i;
        EXPECT_TRUE(text[1].startsWith("列1")) << text[1].toStdString();
        EXPECT_TRUE(text[2].startsWith(firstRows[i])) << text[2].toStdString();
        const QStringList footer = text.last().split(QRegularExpression("\\s+"));
        EXPECT_EQ(footer.first(), "3");
        EXPECT_EQ(footer.last(), QString::number(i + 1));
        EXPECT_TRUE(text.last().contains(QStringLiteral("第%1页").arg(i + 1)));
        EXPECT_EQ(pages[i].count("列1"), 1);
    }
    EXPECT_TRUE(pages[2].contains("r121c3"));
}

TEST_F(SheetPrinterTest, PrintsThePrintAreaOnly) {
    const QStringList pages = print(roster(5, 3), [](PageSetup& s) { s.PrintArea = "$A$2:$B$4"; });
    ASSERT_EQ(pages.size(), 1);
    for (const char* shown : {"r2c1", "r4c2", "r3c1"})
        EXPECT_TRUE(pages[0].contains(shown)) << shown;
    for (const char* hidden : {"列1", "r5c1", "r2c3", "r6c1"})
        EXPECT_FALSE(pages[0].contains(hidden)) << hidden;
}

struct CountCase {
    const char* name;
    void (*setUp)(PageSetup&);
    int pages;
};

class PageCount : public SheetPrinterTest, public ::testing::WithParamInterface<CountCase> {};

// 200 rows of 14.25 points: 51 a page on A4 portrait with 54 point margins
// at top and bottom.
TEST_P(PageCount, FollowsPaperMarginsAndScale) {
    EXPECT_EQ(print(roster(199, 4), GetParam().setUp).size(), GetParam().pages);
}

INSTANTIATE_TEST_SUITE_P(
    Office, PageCount,
    ::testing::Values(CountCase{"A4", [](PageSetup&) {}, 4},
                      CountCase{"Landscape", [](PageSetup& s) { s.Orientation = 2; }, 6},
                      CountCase{"A3", [](PageSetup& s) { s.PaperSize = 8; }, 3},
                      CountCase{"Letter", [](PageSetup& s) { s.PaperSize = 1; }, 5},
                      CountCase{"TopMargin", [](PageSetup& s) { s.TopMargin = 200; }, 5},
                      CountCase{"Zoom50", [](PageSetup& s) { s.Zoom = 50; }, 2},
                      CountCase{"FitOnePage", [](PageSetup& s) { s.Zoom = 0; }, 1},
                      CountCase{"FitTwoTall",
                                [](PageSetup& s) {
                                    s.Zoom = 0;
                                    s.FitToPagesTall = 2;
                                },
                                2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SheetPrinterTest, PageOrderDownThenOverOrOverThenDown) {
    // 12 columns of 51 points: 9 fit across; 61 rows: 51 fit down.
    const Sheet sheet = roster(60, 12);
    const QStringList down = print(sheet, [](PageSetup&) {});
    const QStringList over = print(sheet, [](PageSetup& s) { s.Order = 2; });
    ASSERT_EQ(down.size(), 4);
    ASSERT_EQ(over.size(), 4);
    EXPECT_TRUE(down[1].contains("r52c1"));
    EXPECT_FALSE(down[1].contains("r1c10"));
    EXPECT_TRUE(over[1].contains("列10"));
    EXPECT_TRUE(over[1].contains("r2c10"));
    EXPECT_TRUE(over[2].contains("r52c1"));
}

TEST_F(SheetPrinterTest, HeadingsAndFirstPageNumber) {
    const QStringList pages = print(roster(3, 2), [](PageSetup& s) {
        s.PrintHeadings = true;
        s.FirstPageNumber = 7;
        s.RightHeader = "&P/&N";
    });
    ASSERT_EQ(pages.size(), 1);
    const QStringList text = pageLines(pages[0]);
    EXPECT_EQ(text[0], "7/1");
    EXPECT_EQ(text[1].split(QRegularExpression("\\s+")), (QStringList{"A", "B"}));
    EXPECT_TRUE(text[2].startsWith("1 列1"));
    EXPECT_TRUE(text[3].startsWith("2 r2c1"));
}

// Paints the first page into an image; the number of pixels that are not
// white, and the leftmost column holding one.
std::pair<int, int> inked(const Worksheet& ws) {
    QImage image(595, 842, QImage::Format_RGB32);
    // One pixel a point.
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        SheetPrinter(ws, QDateTime::currentDateTime()).paintPage(painter, 0);
    }
    int count = 0, left = image.width();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                ++count;
                left = std::min(left, x);
            }
    return {count, left};
}

TEST(SheetPrinterImage, GridLinesBordersAndCentringShowOnThePage) {
    Sheet sheet;
    sheet.resize(20, 3);
    Worksheet plain(sheet);
    Worksheet grid(sheet);
    grid.pageSetup().PrintGridLines = true;
    Sheet framed = sheet;
    framed.setBorders(5, 1, {1, 1, 1, 1});
    Worksheet frame(framed);
    Sheet texts = roster(19, 3);
    Worksheet left(texts);
    Worksheet centred(texts);
    centred.pageSetup().CenterHorizontally = true;

    EXPECT_EQ(inked(plain).first, 0);
    EXPECT_GT(inked(grid).first, 2000);
    EXPECT_GT(inked(frame).first, 100);
    EXPECT_LT(inked(frame).first, 1000);
    EXPECT_LT(inked(left).second, 60);
    EXPECT_GT(inked(centred).second, 150);
}

} // namespace
