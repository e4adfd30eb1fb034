#include "../manage/WorkbookXml.h"

#include "platform/grid/GridError.h"
#include "platform/grid/WorkbookReader.h"
#include "platform/office/SheetChart.h"
#include "platform/office/WorkbookFile.h"
#include "platform/office/Worksheet.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

Worksheet sheetOf(int rows, int cols) {
    Sheet s;
    s.resize(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            s.setEntry(r, c,
                       c == 0 ? QStringLiteral("'项目%1").arg(r) : QString::number(r * 10 + c));
    s.setName("月报[2026年12月]");
    return Worksheet(std::move(s));
}

class WorkbookFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString sheetXml(const QString& file) const {
        return workbookEntry(file, "xl/worksheets/sheet1.xml");
    }
    QTemporaryDir m_dir;
};

TEST_F(WorkbookFileTest, HeaderAndFooterSectionsJoinWithTheirCodes) {
    EXPECT_EQ(WorkbookFile::headerFooter({}, {}, {}), QString());
    EXPECT_EQ(WorkbookFile::headerFooter("a", {}, "&P"), "&La&R&P");
    EXPECT_EQ(WorkbookFile::headerFooter({}, "&\"宋体,加粗\"&16&A", {}), "&C&\"宋体,加粗\"&16&A");
}

TEST_F(WorkbookFileTest, TitleRowsAreReadFromTheirReference) {
    int first = 0;
    int last = 0;
    ASSERT_TRUE(WorkbookFile::titleRows("$1:$4", first, last));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 4);
    ASSERT_TRUE(WorkbookFile::titleRows("3:2", first, last));
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, 3);
    EXPECT_FALSE(WorkbookFile::titleRows(QString(), first, last));
    EXPECT_FALSE(WorkbookFile::titleRows("$A$1:$B$2", first, last));
    EXPECT_FALSE(WorkbookFile::titleRows("$0:$1", first, last));
}

TEST_F(WorkbookFileTest, EveryPageSetupPropertyTheFileHoldsIsWritten) {
    Worksheet ws = sheetOf(30, 4);
    PageSetup& p = ws.pageSetup();
    p.LeftMargin = 72;
    p.RightMargin = 36;
    p.TopMargin = 18;
    p.BottomMargin = 54;
    p.HeaderMargin = 7.2;
    p.FooterMargin = 14.4;
    p.PrintHeadings = true;
    p.PrintGridLines = true;
    p.CenterHorizontally = true;
    p.CenterVertically = true;
    p.Orientation = PageSetup::Landscape;
    p.PaperSize = 11; // A5
    p.FirstPageNumber = 7;
    p.Order = PageSetup::OverThenDown;
    p.Zoom = 0;
    p.FitToPagesWide = 1;
    p.FitToPagesTall = 0;
    p.LeftHeader = "左";
    p.RightFooter = "第 &P 页 && 共 &N 页";
    p.PrintTitleRows = "$1:$4";
    p.PrintArea = "$A$1:$D$30";
    const QString file = path("all.xls");
    WorkbookFile::save(ws, file);
    const QString xml = sheetXml(file);
    for (const char* written :
         {"<pageMargins left=\"1\" right=\"0.5\" top=\"0.25\" bottom=\"0.75\" header=\"0.1\" "
          "footer=\"0.2\"/>",
          "<printOptions horizontalCentered=\"1\" verticalCentered=\"1\" headings=\"1\" "
          "gridLines=\"1\"/>",
          "paperSize=\"11\"", "pageOrder=\"overThenDown\"", "orientation=\"landscape\"",
          "firstPageNumber=\"7\"", "useFirstPageNumber=\"1\"", "<pageSetUpPr fitToPage=\"1\"/>",
          "fitToHeight=\"0\"", "<oddHeader>&amp;L左</oddHeader>",
          "<oddFooter>&amp;R第 &amp;P 页 &amp;&amp; 共 &amp;N 页</oddFooter>"})
        EXPECT_TRUE(xml.contains(QString::fromUtf8(written))) << written << "\n"
                                                              << xml.toStdString();
    const QString book = workbookEntry(file, "xl/workbook.xml");
    for (const char* name : {"Print_Titles\" localSheetId=\"0\">'月报(2026年12月)'!$1:$4<",
                             "Print_Area\" localSheetId=\"0\">'月报(2026年12月)'!$A$1:$D$30<"})
        EXPECT_TRUE(book.contains("<definedName name=\"_xlnm." + QString::fromUtf8(name)))
            << name << "\n"
            << book.toStdString();
    // The cells as written.
    const Sheet back = WorkbookReader::read(file);
    EXPECT_EQ(back.text(3, 0), "项目3");
    EXPECT_EQ(back.text(3, 2), "32");
}

TEST_F(WorkbookFileTest, WithoutTitlesAreaOrHeadersNoneIsWritten) {
    Worksheet ws = sheetOf(3, 2);
    const QString file = path("plain.xls");
    WorkbookFile::save(ws, file);
    const QString xml = sheetXml(file);
    EXPECT_FALSE(xml.contains("<headerFooter"));
    EXPECT_TRUE(xml.contains("orientation=\"portrait\""));
    EXPECT_FALSE(workbookEntry(file, "xl/workbook.xml").contains("definedName"));
}

// A header longer than a workbook holds is left out; the rest is written.
TEST_F(WorkbookFileTest, AHeaderTooLongForTheFileIsLeftOut) {
    Worksheet ws = sheetOf(3, 2);
    ws.pageSetup().CenterHeader = QString(300, u'长');
    ws.pageSetup().CenterFooter = "页脚";
    const QString file = path("long.xls");
    WorkbookFile::save(ws, file);
    const QString xml = sheetXml(file);
    EXPECT_FALSE(xml.contains("<oddHeader>"));
    EXPECT_TRUE(xml.contains("<oddFooter>&amp;C页脚</oddFooter>"));
}

TEST_F(WorkbookFileTest, AChartGoesBesideTheDataWithItsSeriesRanges) {
    Worksheet ws = sheetOf(5, 3);
    SheetChart chart;
    chart.type = SheetChart::Type::ColumnClustered;
    chart.source = CellRange{0, 0, 3, 2};
    chart.title = "部门汇总";
    const QString file = path("chart.xls");
    WorkbookFile::save(ws, file, &chart);
    const QStringList entries = workbookEntries(file);
    EXPECT_TRUE(entries.contains("xl/charts/chart1.xml"));
    EXPECT_TRUE(entries.contains("xl/drawings/drawing1.xml"));
    const QString xml = workbookEntry(file, "xl/charts/chart1.xml");
    QStringList refs;
    static const QRegularExpression f("<c:f>([^<]*)</c:f>");
    for (auto it = f.globalMatch(xml); it.hasNext();)
        refs << it.next().captured(1);
    const QString name = "'月报(2026年12月)'";
    EXPECT_EQ(refs, (QStringList{name + "!$B$1", name + "!$A$2:$A$4", name + "!$B$2:$B$4",
                                 name + "!$C$1", name + "!$A$2:$A$4", name + "!$C$2:$C$4"}));
    EXPECT_TRUE(xml.contains("部门汇总"));
    // Anchored in the first row, right of the last column.
    const QString drawing = workbookEntry(file, "xl/drawings/drawing1.xml");
    EXPECT_TRUE(drawing.contains("<xdr:from><xdr:col>3</xdr:col><xdr:colOff>0</"
                                 "xdr:colOff><xdr:row>0</xdr:row>"))
        << drawing.toStdString();

    chart.type = SheetChart::Type::Pie;
    WorkbookFile::save(ws, file, &chart);
    const QString pie = workbookEntry(file, "xl/charts/chart1.xml");
    EXPECT_TRUE(pie.contains("<c:pieChart>"));
    EXPECT_EQ(pie.count("<c:ser>"), 1);
}

TEST_F(WorkbookFileTest, TheChartsDataIsReadFromItsRange) {
    Worksheet ws = sheetOf(4, 3);
    ws.Cells(1, 2).setValue("甲");
    ws.Cells(1, 3).setValue("乙");
    SheetChart chart;
    chart.source = CellRange{0, 0, 3, 2};
    const SheetChart::Data data = chart.read(ws);
    EXPECT_EQ(data.categories, (QStringList{"项目1", "项目2", "项目3"}));
    ASSERT_EQ(data.series.size(), 2u);
    EXPECT_EQ(data.series[0].name, "甲");
    EXPECT_EQ(data.series[0].values, (std::vector<double>{11, 21, 31}));
    EXPECT_EQ(data.series[1].values, (std::vector<double>{12, 22, 32}));
    chart.type = SheetChart::Type::Pie;
    EXPECT_EQ(chart.read(ws).series.size(), 1u);
}

TEST_F(WorkbookFileTest, AnUnwritableFileRaisesNamingIt) {
    Worksheet ws = sheetOf(2, 2);
    const QString file = path("missing/folder/x.xls");
    try {
        WorkbookFile::save(ws, file);
        ADD_FAILURE() << "no error";
    } catch (const GridError& e) {
        EXPECT_TRUE(e.message().contains(file)) << e.what();
    }
    EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

} // namespace
