#include "RenderFixture.h"

#include "foundation/Mdlx.h"
#include "suite/SuiteLib.h"

namespace quill::test {

namespace {

using RenderTemplateTest = RenderFixture;

const QString Report = QStringLiteral("月报");

// A paged template 3, 20, 2, 0, 0: title in row 2 (bold, underlined),
// headings in row 3, 20 record rows, 2 footer rows; 25 rows a page. Cell
// (4, 2) has lines all round, (24, 3) sums the page's amounts.
Sheet pagedTemplate() {
    Sheet sheet = RenderWorkspace::templateSheet({3, 20, 2, 0, 0}, 3,
                                                 {QStringLiteral("工号"), QStringLiteral("姓名"),
                                                  QStringLiteral("金额"), QStringLiteral("天数")});
    sheet.setBorders(1, 1, {0, 0, 0, 2});
    sheet.resize(25, 4);
    sheet.setBorders(3, 1, {1, 1, 1, 1});
    sheet.setFormula(23, 2, QStringLiteral("=SUM(C4:C23)&\"C4\""), QStringLiteral("0"));
    sheet.setFormula(23, 3, QStringLiteral("=C$4+$C5"), QStringLiteral("0"));
    return sheet;
}

TEST_P(RenderTemplateTest, PagedTemplateRepeatsItsFirstPageForEveryTwentyRecords) {
    ws->writeTemplate(Report, pagedTemplate());
    ws->insertNumbered(45);
    ws->setQuery(QStringLiteral("memberid, name, AMOUNT, DAYS"));
    render(false, Report);

    EXPECT_TRUE(renderer->IsTemplateSheet());
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(renderer->TemplateParam(k), (QList<int>{3, 20, 2, 0}[k - 1])) << k;
    EXPECT_EQ(renderer->PageCount(), 3);
    EXPECT_EQ(renderer->RowsPerBlock(), 25);
    EXPECT_EQ(renderer->RecordCount(), 45);
    ASSERT_EQ(book->LastRow(), 75);
    ASSERT_EQ(book->LastCol(), 4);
    EXPECT_FALSE(book->AllowCellEditing());
    EXPECT_FALSE(book->showColHeading());
    EXPECT_EQ(book->SheetName(1), SuiteLib::instance().QueryCaption);

    // parameters cleared, the model page copied with its title, bold and border
    for (int c = 1; c <= 4; ++c)
        expectTexts({{1, c, ""}, {26, c, ""}});
    EXPECT_TRUE(book->cellBold(52, 2));
    EXPECT_EQ(book->cellBorders(52, 2).bottom, 2);
    // records: 20 a page below the headings
    expectTexts({{27, 2, "工资表"}, {53, 1, "工号"}, {4, 1, "E100001"}, {23, 1, "E100020"}});
    expectTexts({{23, 3, "20.50"}, {24, 1, ""}, {29, 1, "E100021"}, {58, 1, "E100045"}});
    expectTexts({{59, 1, ""}});

    // header texts in each page's third row; the heading in column 1 stays
    const QString printed =
        QStringLiteral(" 打印日期：") + QDate::currentDate().toString(u"yyyy-MM-dd");
    // each page's headings and records are framed; the template's own lines
    // inside the frame stay, on every page
    for (int top : {0, 25, 50}) {
        SCOPED_TRACE(top);
        expectTexts({{top + 3, 4, printed}, {top + 3, 2, "2024年01月"}, {top + 3, 1, "工号"}});
        expectTexts({{top + 25, 4, QStringLiteral("第%1页,共3页").arg(top / 25 + 1)}});
        EXPECT_EQ(book->cellBorders(top + 3, 1).top, 1);
        EXPECT_EQ(book->cellBorders(top + 3, 1).left, 1);
        EXPECT_EQ(book->cellBorders(top + 23, 4).bottom, 1);
        EXPECT_EQ(book->cellBorders(top + 23, 4).right, 1);
        EXPECT_EQ(book->cellBorders(top + 10, 2).left, 0);
        EXPECT_EQ(book->cellBorders(top + 4, 2).left, 1);
        EXPECT_EQ(book->cellBorders(top + 4, 2).bottom, 1);
    }
    EXPECT_EQ(book->cellBorders(24, 1).top, 0);
    EXPECT_EQ(book->ActiveRow(), 1);
    EXPECT_EQ(book->ActiveCol(), 1);
    // footer formulas move with their page
    EXPECT_EQ(book->CellEntry(24, 3), QStringLiteral("=SUM(C4:C23)&\"C4\""));
    EXPECT_EQ(book->CellEntry(49, 3), QStringLiteral("=SUM(C29:C48)&\"C4\""));
    EXPECT_EQ(book->CellEntry(74, 3), QStringLiteral("=SUM(C54:C73)&\"C4\""));
    EXPECT_EQ(book->CellEntry(49, 4), QStringLiteral("=C$4+$C30"));
}

TEST_P(RenderTemplateTest, PagedTemplateWithFortyRecordsHasTwoPages) {
    ws->writeTemplate(Report, pagedTemplate());
    ws->insertNumbered(40);
    ws->setQuery(QStringLiteral("memberid, name, AMOUNT, DAYS"));
    render(false, Report);
    EXPECT_EQ(renderer->PageCount(), 2);
    ASSERT_EQ(book->LastRow(), 50);
    expectTexts({{48, 1, "E100040"}, {25, 4, "第1页,共2页"}, {50, 4, "第2页,共2页"}});

    // the same report without records: the header rows only
    ws->setQuery(QStringLiteral("memberid, name, AMOUNT, DAYS"), QStringLiteral(" where 1=0"));
    render(false, Report);
    EXPECT_EQ(renderer->PageCount(), 0);
    EXPECT_EQ(book->LastRow(), 3);
}

TEST_P(RenderTemplateTest, PageFootersCountNamesAndRunPageSums) {
    // 3 header rows, 5 records, 4 footer rows: 12 rows a page
    Sheet sheet = RenderWorkspace::templateSheet({3, 5, 4, 0, 0}, 3,
                                                 {QStringLiteral("工号"), QStringLiteral("姓名"),
                                                  QStringLiteral("天数"), QStringLiteral("金额"),
                                                  QStringLiteral("工资"), QStringLiteral("备注")});
    sheet.resize(12, 6);
    sheet.setEntry(9, 3, QStringLiteral("'自填")); // the template's own footer cell
    ws->writeTemplate(Report, sheet);
    ws->insertNumbered(12);
    ws->setQuery(QStringLiteral("memberid, name, DAYS, AMOUNT, PAY, NOTE"));
    Mdlx::instance().SumFields[0] = QStringLiteral("DAYS");
    Mdlx::instance().SumCount = 1;
    render(false, Report);

    EXPECT_EQ(renderer->PageCount(), 3);
    EXPECT_EQ(renderer->RowsPerBlock(), 12);
    // page k: heading row h, records h+1..h+5, footers h+7 (page) and h+8 (so far)
    // the last page holds two records; a cell the template fills stays, its
    // neighbour below runs on
    expectTexts({{10, 2, "5"}, {11, 2, "5"}, {10, 3, "15"}, {11, 3, "15"}, {22, 2, "5"}});
    expectTexts({{23, 2, "10"}, {22, 3, "40"}, {23, 3, "55"}, {34, 2, "2"}, {35, 2, "12"}});
    expectTexts({{34, 3, "23"}, {35, 3, "78"}, {10, 4, "自填"}, {22, 4, "自填"}, {11, 4, "17.5"}});
    expectTexts({{23, 4, "60"}, {12, 6, "第1页,共3页"}, {36, 6, "第3页,共3页"}});

    // the totals row follows the last page and adds the records only
    ASSERT_EQ(book->LastRow(), 37);
    expectTexts({{37, 1, "合计："}, {37, 3, "78"}});
}

TEST_P(RenderTemplateTest, OneRecordAPageOpensAPageForEveryRecord) {
    // 3 header rows, 1 record, 1 footer row: 5 rows a page
    ws->writeTemplate(
        Report, RenderWorkspace::templateSheet({3, 1, 1, 0, 0}, 3,
                                               {QStringLiteral("工号"), QStringLiteral("天数")}));
    ws->insertNumbered(3);
    ws->setQuery(QStringLiteral("memberid, DAYS"));
    render(false, Report);
    EXPECT_EQ(renderer->PageCount(), 3);
    ASSERT_EQ(book->LastRow(), 15);
    expectTexts({{4, 1, "E100001"}, {9, 1, "E100002"}, {14, 1, "E100003"}, {15, 2, "第3页,共3页"}});
}

TEST_P(RenderTemplateTest, HeaderTextsNeverCoverRecords) {
    // heading row 2: row 3 holds the first record, not the print date
    ws->writeTemplate(Report, RenderWorkspace::templateSheet({2, 0, 0, 0, 0}));
    ws->insertNumbered(2);
    ws->setQuery(QStringLiteral("memberid, name, DAYS"));
    render(false, Report);
    expectTexts({{2, 3, "天数"}, {3, 1, "E100001"}, {3, 3, "1"}});
    EXPECT_EQ(book->LastRow(), 4);
}

TEST_P(RenderTemplateTest, BlockTemplatePlacesRecordsBelowAndRightOfItsCorner) {
    ws->writeTemplate(Report, RenderWorkspace::templateSheet({0, 0, 0, 2, 1}));
    ws->insertNumbered(3);
    ws->setQuery(QStringLiteral("memberid, DAYS, AMOUNT"));
    Mdlx::instance().SumFields[0] = QStringLiteral("DAYS");
    Mdlx::instance().SumCount = 1;
    render(false, Report);

    EXPECT_FALSE(renderer->IsTemplateSheet());
    EXPECT_EQ(renderer->TemplateParam(4), 2);
    EXPECT_EQ(renderer->TemplateParam(5), 1);
    ASSERT_EQ(book->LastRow(), 6);
    expectTexts({{3, 2, "E100001"}, {3, 3, "1"}, {3, 4, "1.50"}, {5, 2, "E100003"}});
    expectTexts({{2, 2, "工资表"}, {6, 1, "合计："}, {6, 3, "6"}});
}

TEST_P(RenderTemplateTest, PlainTemplateTakesCaptionsInItsHeadingRow) {
    ws->writeTemplate(Report, RenderWorkspace::templateSheet({4, 0, 0, 0, 0}));
    ws->insertNumbered(2);
    ws->setQuery(QStringLiteral("memberid, name, DAYS"));
    render(false, Report);

    EXPECT_TRUE(renderer->IsTemplateSheet());
    EXPECT_EQ(book->LastRow(), 6);
    // the table has zhtime: the period in (3, 1)
    expectTexts({{4, 1, "工号"}, {4, 2, "姓名"}, {4, 3, "天数"}, {5, 1, "E100001"}, {6, 3, "2"}});
    expectTexts({{3, 3, " 打印日期：" + QDate::currentDate().toString(u"yyyy-MM-dd")}});
    expectTexts({{3, 1, "2024年01月"}});
    EXPECT_EQ(book->SheetName(1), SuiteLib::instance().QueryCaption);
}

TEST_P(RenderTemplateTest, ReportWithoutTemplateFileUsesTheBaseSheet) {
    ws->writeTemplate(Report, RenderWorkspace::templateSheet({4, 0, 0, 0, 0}));
    ws->insertNumbered(2);
    ws->setQuery(QStringLiteral("memberid"));
    render(false, QStringLiteral("其他报表"));
    EXPECT_FALSE(renderer->IsTemplateSheet());
    expectTexts({{1, 1, "E100001"}, {3, 1, "合计："}});
}

QUILL_INSTANTIATE_ENGINES(RenderTemplateTest);

} // namespace

} // namespace quill::test
