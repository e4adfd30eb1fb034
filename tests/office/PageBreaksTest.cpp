#include "platform/office/PageBreaks.h"

#include <gtest/gtest.h>

using namespace quill;

namespace {

using Bands = std::vector<PageBreaks::Band>;

// 100 rows of 14.25 points and 4 columns of 100 points on a room of 300 by
// 700 points: 49 rows and 3 columns a page at full size.
PageBreaks::Input sheet() {
    PageBreaks::Input in;
    in.columnWidths.assign(4, 100);
    in.rowHeights.assign(100, 14.25);
    in.printableWidth = 300;
    in.printableHeight = 700;
    return in;
}

struct Case {
    const char* name;
    void (*change)(PageBreaks::Input&);
    Bands rows;
    Bands cols;
    double scale;
};

class PageBreaksCase : public ::testing::TestWithParam<Case> {};

TEST_P(PageBreaksCase, BreaksRowsAndColumns) {
    PageBreaks::Input in = sheet();
    GetParam().change(in);
    const PageBreaks breaks = PageBreaks::compute(in);
    EXPECT_EQ(breaks.rowBands(), GetParam().rows);
    EXPECT_EQ(breaks.columnBands(), GetParam().cols);
    EXPECT_DOUBLE_EQ(breaks.scale(), GetParam().scale);
}

INSTANTIATE_TEST_SUITE_P(
    Office, PageBreaksCase,
    ::testing::Values(
        Case{"FullSize",
             [](PageBreaks::Input&) {},
             {{0, 48}, {49, 97}, {98, 99}},
             {{0, 2}, {3, 3}},
             1},
        Case{"HalfZoom",
             [](PageBreaks::Input& in) { in.zoom = 50; },
             {{0, 97}, {98, 99}},
             {{0, 3}},
             0.5},
        // Titles above every band that starts below them take their room.
        Case{"Titles",
             [](PageBreaks::Input& in) {
                 in.titleHeight = 14.25;
                 in.rowsBeforeTitles = 1;
             },
             {{0, 48}, {49, 96}, {97, 99}},
             {{0, 2}, {3, 3}},
             1},
        Case{"Headings",
             [](PageBreaks::Input& in) {
                 in.headingWidth = 27;
                 in.headingHeight = 14.25;
             },
             {{0, 47}, {48, 95}, {96, 99}},
             {{0, 1}, {2, 3}},
             1},
        // Fit to one page: the largest whole percent that fits 400 by 1425.
        Case{"FitOnePage", [](PageBreaks::Input& in) { in.zoom = 0; }, {{0, 99}}, {{0, 3}}, 0.49},
        Case{"FitOneWide",
             [](PageBreaks::Input& in) {
                 in.zoom = 0;
                 in.fitTall = 0;
             },
             {{0, 64}, {65, 99}},
             {{0, 3}},
             0.75},
        // A numeric zoom wins over fit to pages.
        Case{"ZoomWins",
             [](PageBreaks::Input& in) {
                 in.zoom = 100;
                 in.fitWide = 1;
             },
             {{0, 48}, {49, 97}, {98, 99}},
             {{0, 2}, {3, 3}},
             1},
        // Fit to pages goes no smaller than 10 percent.
        Case{"SmallestScale",
             [](PageBreaks::Input& in) {
                 in.zoom = 0;
                 in.rowHeights.assign(1000, 14.25);
             },
             {{0, 490}, {491, 981}, {982, 999}},
             {{0, 3}},
             0.10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PageBreaks, PageOrderDownThenOverOrOverThenDown) {
    PageBreaks::Input in = sheet();
    const PageBreaks down = PageBreaks::compute(in);
    in.overThenDown = true;
    const PageBreaks over = PageBreaks::compute(in);
    ASSERT_EQ(down.pageCount(), 6);
    ASSERT_EQ(over.pageCount(), 6);
    // Page 2: the next row band going down, or the next column band going over.
    EXPECT_EQ(down.page(1).rowBand, 1);
    EXPECT_EQ(down.page(1).columnBand, 0);
    EXPECT_EQ(over.page(1).rowBand, 0);
    EXPECT_EQ(over.page(1).columnBand, 1);
    EXPECT_EQ(down.page(3).rowBand, 0);
    EXPECT_EQ(down.page(3).columnBand, 1);
    EXPECT_EQ(over.page(3).rowBand, 1);
    EXPECT_EQ(over.page(3).columnBand, 1);
}

TEST(PageBreaks, ARowTallerThanThePageStillGetsOne) {
    PageBreaks::Input in = sheet();
    in.rowHeights = {800, 10};
    const PageBreaks breaks = PageBreaks::compute(in);
    EXPECT_EQ(breaks.rowBands(), (Bands{{0, 0}, {1, 1}}));
}

} // namespace
