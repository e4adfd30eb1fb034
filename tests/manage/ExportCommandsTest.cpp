#include "Printers.h"
#include "WindowFixture.h"
#include "WorkbookXml.h"

#include "foundation/Mdlx.h"
#include "foundation/QueryComposer.h"
#include "platform/grid/F1Book.h"
#include "platform/grid/WorkbookReader.h"
#include "platform/vb/Val.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ChartExport.h"
#include "windows/manage/ChartWindow.h"
#include "windows/manage/ExportCommands.h"
#include "windows/manage/PageOutput.h"
#include "windows/manage/frmRSGL.h"

#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPieSeries>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

bool isWorkbook(const QString& path) {
    return workbookEntries(path).contains(QStringLiteral("xl/workbook.xml"));
}

class ExportCommandsTest : public WindowFixture {
protected:
    // Each test starts without QUILL_SPREADSHEET and leaves it as it was.
    void SetUp() override {
        WindowFixture::SetUp();
        m_hadCommand = qEnvironmentVariableIsSet("QUILL_SPREADSHEET");
        m_command = qgetenv("QUILL_SPREADSHEET");
        qunsetenv("QUILL_SPREADSHEET");
    }
    void TearDown() override {
        if (m_hadCommand)
            qputenv("QUILL_SPREADSHEET", m_command);
        else
            qunsetenv("QUILL_SPREADSHEET");
        WindowFixture::TearDown();
    }
    void textSetting(const QString& value) {
        writeSetting(SuiteLib::instance().ModuleTitle + QStringLiteral("TXT"), value);
    }
    QStringList workFolderFiles() const {
        return QDir(SuiteLib::instance().WorkFolder)
            .entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    static QString chartXml() {
        return workbookEntry(PageOutput::temporaryWorkbook(),
                             QStringLiteral("xl/charts/chart1.xml"));
    }
    // The chart's references, each from the "!" after its sheet name on.
    static QStringList references(const QString& xml) {
        QStringList out;
        static const QRegularExpression f(QStringLiteral("<c:f>([^<]*)</c:f>"));
        for (auto it = f.globalMatch(xml); it.hasNext();) {
            const QString ref = it.next().captured(1);
            out << ref.mid(ref.lastIndexOf(u'!'));
        }
        return out;
    }

private:
    bool m_hadCommand = false;
    QByteArray m_command;
};

// ---- MN09 ----

// A second export into the same file appends to it.
TEST_P(ExportCommandsTest, TxtYesWritesTextEvenWhenAWorkbookWasWanted) {
    auto w = opened();
    textSetting(QStringLiteral("YES"));
    const QString path = out(QStringLiteral("wanted.xls"));
    ui->answerSave(QStringLiteral("  ") + path + QStringLiteral(" "));
    w->MN09->trigger();
    ASSERT_EQ(ui->saveDialogs().size(), 1);
    EXPECT_EQ(ui->saveDialogs()[0].filter, QStringLiteral("TXT FILE(*.TXT)"));
    EXPECT_EQ(ui->saveDialogs()[0].suggestedPath, SuiteLib::instance().WorkFolder);
    EXPECT_EQ(ui->messageTexts(), QStringList{QStringLiteral("输出文本完毕")});
    EXPECT_FALSE(isWorkbook(path));
    const QStringList once = fileLines(path);
    ASSERT_EQ(once.size(), w->F1Book1->LastRow());
    EXPECT_TRUE(once[0].startsWith(QStringLiteral("-AAA-"))) << once[0].toStdString();
    EXPECT_TRUE(ui->starts().isEmpty());
    ui->answerSave(path);
    w->MN09->trigger();
    EXPECT_EQ(fileLines(path), once + once);
    EXPECT_EQ(ui->messageTexts(), QStringList(2, QStringLiteral("输出文本完毕")));
}

// A ".vts" name is a workbook as well.
TEST_P(ExportCommandsTest, AnyOtherValueGivesAWorkbookHandedToTheSpreadsheetApplication) {
    auto w = opened();
    const struct {
        QString value, name;
    } cases[] = {{QString(), "book.xls"}, {"NO", "sheet.vts"}, {"yes", "yes.xls"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        textSetting(c.value);
        ui->clear();
        const QString path = out(c.name);
        ui->answerSave(path);
        w->MN09->trigger();
        ASSERT_EQ(ui->saveDialogs().size(), 1);
        EXPECT_EQ(ui->saveDialogs()[0].filter,
                  QStringLiteral("EXCEL FILE(*.xls);;VTS FILE(*.vts)"));
        EXPECT_EQ(ui->saveDialogs()[0].suggestedPath, SuiteLib::instance().WorkFolder);
        EXPECT_EQ(ui->messageTexts(), QStringList());
        ASSERT_TRUE(isWorkbook(path));
        const Sheet sheet = WorkbookReader::read(path);
        EXPECT_EQ(sheet.rowCount(), w->F1Book1->LastRow() + 1);
        EXPECT_EQ(sheet.text(0, 0), w->F1Book1->ColHeading(1));
        EXPECT_TRUE(sheet.bold(0, 0));
        EXPECT_EQ(sheet.text(1, 0), w->F1Book1->CellText(1, 1));
        ASSERT_EQ(ui->starts().size(), 1);
        EXPECT_EQ(ui->starts()[0].program, QStringLiteral("xdg-open"));
        EXPECT_EQ(ui->starts()[0].arguments, QStringList{path});
    }
}

TEST_P(ExportCommandsTest, TheSpreadsheetCommandIsConfigurable) {
    auto w = opened();
    qputenv("QUILL_SPREADSHEET", "libreoffice --calc");
    const QString path = out(QStringLiteral("lo.xls"));
    ui->answerSave(path);
    w->MN09->trigger();
    ASSERT_EQ(ui->starts().size(), 1);
    EXPECT_EQ(ui->starts()[0].program, QStringLiteral("libreoffice"));
    EXPECT_EQ(ui->starts()[0].arguments, (QStringList{QStringLiteral("--calc"), path}));
}

TEST_P(ExportCommandsTest, AHandOverThatFailsIsReportedWithTheFile) {
    auto w = opened();
    ui->failStarts(true);
    const QString path = out(QStringLiteral("kept.xls"));
    ui->answerSave(path);
    w->MN09->trigger();
    EXPECT_TRUE(isWorkbook(path));
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages()[0].text.contains(path));
}

// A cancelled dialog, or a name of blanks only, ends the command silently:
// no file, no "done".
TEST_P(ExportCommandsTest, ACancelledDialogEndsTheExportSilently) {
    auto w = opened();
    for (const QString& value : {QStringLiteral("YES"), QStringLiteral("NO")}) {
        SCOPED_TRACE(value.toStdString());
        textSetting(value);
        ui->clear();
        const QStringList before = workFolderFiles();
        w->MN09->trigger();
        EXPECT_EQ(ui->saveDialogs().size(), 1);
        ui->answerSave(QStringLiteral("   "));
        w->MN09->trigger();
        EXPECT_EQ(ui->messageTexts(), QStringList());
        EXPECT_TRUE(ui->starts().isEmpty());
        EXPECT_EQ(workFolderFiles(), before);
    }
}

// Mend: a file that cannot be written is reported by name, not as done.
TEST_P(ExportCommandsTest, AnUnwritableFileIsReportedByName) {
    auto w = opened();
    for (const QString& value : {QStringLiteral("YES"), QStringLiteral("NO")}) {
        SCOPED_TRACE(value.toStdString());
        textSetting(value);
        ui->clear();
        const QString path =
            unwritable(value == u"YES" ? QStringLiteral("x.txt") : QStringLiteral("x.xls"));
        ui->answerSave(path);
        w->MN09->trigger();
        ASSERT_EQ(ui->messages().size(), 1);
        EXPECT_TRUE(ui->messages()[0].text.contains(path)) << ui->messages()[0].text.toStdString();
        EXPECT_NE(ui->messages()[0].text, QStringLiteral("输出文本完毕"));
        EXPECT_TRUE(ui->starts().isEmpty());
    }
}

// ---- MN10 ----

class ChartCommand : public ExportCommandsTest {
protected:
    ChartWindow* chartWindow(frmRSGL& w) {
        w.MN10->trigger();
        QApplication::processEvents();
        return w.findChild<ChartWindow*>();
    }
};

TEST_P(ChartCommand, AGroupedReportWithOneSummedColumnGivesAPieOfAAndBWithoutTheTotals) {
    auto w = load(QStringLiteral("工资管理"));
    addReport(QStringLiteral("部门实发"), {"DEPART", "sfgz"}, {}, {"sfgz"}, {"DEPART"});
    show(*w);
    pick(*w, QStringLiteral("部门实发"));
    ASSERT_EQ(ui->messageTexts(), QStringList());
    const F1Book& book = *w->F1Book1;
    ASSERT_EQ(book.LastCol(), 2);
    const int lastRow = book.LastRow(); // the records and the totals row
    ASSERT_GT(lastRow, 2);
    ASSERT_TRUE(w->MN10->isEnabled());
    ChartWindow* shown = chartWindow(*w);
    EXPECT_EQ(ui->messageTexts(), QStringList());

    const QString xml = chartXml();
    EXPECT_TRUE(xml.contains(QStringLiteral("<c:pieChart>"))) << xml.toStdString();
    // Heading row inserted: records from row 2 to lastRow, totals (row lastRow + 1) left out.
    EXPECT_EQ(references(xml), (QStringList{"!$B$1", QStringLiteral("!$A$2:$A$%1").arg(lastRow),
                                            QStringLiteral("!$B$2:$B$%1").arg(lastRow)}));
    ASSERT_EQ(ui->starts().size(), 1);
    EXPECT_EQ(ui->starts()[0].arguments, QStringList{PageOutput::temporaryWorkbook()});

    // The sheet: headings in bold above the records, whose values are numbers.
    const Sheet sheet = WorkbookReader::read(PageOutput::temporaryWorkbook());
    EXPECT_EQ(sheet.text(0, 1), book.ColHeading(2));
    EXPECT_TRUE(sheet.bold(0, 0));
    const QString sheetXml =
        workbookEntry(PageOutput::temporaryWorkbook(), QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(sheetXml.contains(QStringLiteral("<drawing r:id=")));
    EXPECT_TRUE(sheetXml.contains(QRegularExpression(QStringLiteral("<c r=\"B2\"[^>]*><v>"))))
        << sheetXml.left(2000).toStdString();

    // The same chart on screen.
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    const QList<QAbstractSeries*> series = shown->view()->chart()->series();
    ASSERT_EQ(series.size(), 1);
    auto* pie = qobject_cast<QPieSeries*>(series[0]);
    ASSERT_NE(pie, nullptr);
    ASSERT_EQ(pie->count(), lastRow - 1);
    for (int r = 1; r < lastRow; ++r) {
        EXPECT_EQ(pie->slices()[r - 1]->label(), book.CellText(r, 1));
        EXPECT_DOUBLE_EQ(pie->slices()[r - 1]->value(), vb::Val(book.CellText(r, 2)));
    }
    EXPECT_EQ(shown->view()->chart()->title(), book.SheetName(1));
    shown->close();
}

TEST_P(ChartCommand, MoreValueColumnsGiveAClusteredColumnChartOverThePartsRange) {
    auto w = opened();
    pick(*w, QStringLiteral("部门汇总"));
    const F1Book& book = *w->F1Book1;
    ASSERT_EQ(book.LastCol(), 5);
    const int lastRow = book.LastRow();
    ASSERT_GT(Mdlx::instance().SumCount, 0);
    ChartWindow* shown = chartWindow(*w);
    EXPECT_EQ(ui->messageTexts(), QStringList());
    const QString xml = chartXml();
    EXPECT_TRUE(xml.contains(QStringLiteral("<c:barDir val=\"col\"/>"))) << xml.toStdString();
    EXPECT_TRUE(xml.contains(QStringLiteral("<c:grouping val=\"clustered\"/>")));
    QStringList expected;
    for (const QChar col : {u'B', u'C', u'D', u'E'})
        expected << QStringLiteral("!$%1$1").arg(col) << QStringLiteral("!$A$2:$A$%1").arg(lastRow)
                 << QStringLiteral("!$%1$2:$%1$%2").arg(col).arg(lastRow);
    EXPECT_EQ(references(xml), expected);
    ASSERT_NE(shown, nullptr);
    auto* bars = qobject_cast<QBarSeries*>(shown->view()->chart()->series().value(0));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->count(), 4);
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(bars->barSets()[s]->label(), book.ColHeading(s + 2));
        ASSERT_EQ(bars->barSets()[s]->count(), lastRow - 1);
        EXPECT_DOUBLE_EQ(bars->barSets()[s]->at(0), vb::Val(book.CellText(1, s + 2)));
    }
    shown->close();
}

// Mend: the group items are counted in the current query's group part,
// which the designer may have changed since the last report click.
TEST_P(ChartCommand, TheGroupItemsAreThoseOfTheCurrentQuery) {
    auto w = opened();
    pick(*w, QStringLiteral("部门汇总"));
    // What the designer leaves: grouped by department and team, one sum.
    QueryComposer::compose({"DEPART", "GROUP0", "sfgz"}, {}, {"DEPART", "GROUP0"});
    QueryComposer::takeSums({"sfgz"});
    w->Form_Activate();
    ASSERT_EQ(ui->messageTexts(), QStringList());
    ASSERT_EQ(w->F1Book1->LastCol(), 3);
    // Three columns, two of them group items: one value column, a pie.
    w->MN10->setEnabled(true);
    ChartWindow* shown = chartWindow(*w);
    EXPECT_TRUE(chartXml().contains(QStringLiteral("<c:pieChart>")));
    ASSERT_NE(shown, nullptr);
    shown->close();
}

TEST_P(ChartCommand, ATemplateSheetChartsFromItsLastHeaderRow) {
    auto w = opened();
    F1Book& book = *w->F1Book1;
    // A template sheet as the renderer leaves it: three header rows, records.
    book.SetLastRow(6);
    book.SetLastCol(3);
    const QStringList rows[] = {{"工资表", "", ""},
                                {"", "", ""},
                                {"部门", "基本工资", "实发工资"},
                                {"生产部", "100.50", "90"},
                                {"销售部", "200", "180.25"},
                                {"合计", "300.50", "270.25"}};
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 3; ++c)
            book.SetCellText(r, c, rows[r - 1][c - 1]);
    const ChartExport::Made made = ChartExport::make(book, 3, 1, 2);
    EXPECT_EQ(made.chart.type, SheetChart::Type::ColumnClustered);
    EXPECT_EQ(made.chart.source, (CellRange{2, 0, 4, 2}));
    const SheetChart::Data data = made.chart.read(made.sheet);
    EXPECT_EQ(data.categories, (QStringList{"生产部", "销售部"}));
    ASSERT_EQ(data.series.size(), 2u);
    EXPECT_EQ(data.series[0].name, QStringLiteral("基本工资"));
    EXPECT_EQ(data.series[0].values, (std::vector<double>{100.5, 200}));
    EXPECT_EQ(data.series[1].values, (std::vector<double>{90, 180.25}));
    // No heading row on a template; the records' cells are numbers.
    const QString path = out(QStringLiteral("template.xls"));
    ChartExport::write(made, path);
    const Sheet sheet = WorkbookReader::read(path);
    EXPECT_EQ(sheet.rowCount(), 6);
    EXPECT_EQ(sheet.text(3, 1), QStringLiteral("100.50"));
    const QString xml = workbookEntry(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(xml.contains(QRegularExpression(QStringLiteral("<c r=\"C4\"[^>]*><v>90</v></c>"))))
        << xml.toStdString();
    EXPECT_EQ(
        references(workbookEntry(path, QStringLiteral("xl/charts/chart1.xml"))),
        (QStringList{"!$B$3", "!$A$4:$A$5", "!$B$4:$B$5", "!$C$3", "!$A$4:$A$5", "!$C$4:$C$5"}));
}

// The workbook converted to text by LibreOffice in headless mode, cells
// separated by tabs, texts quoted (no cell holds a tab or a quote): its
// lines, each split into cells, or nothing when LibreOffice could not read it.
QList<QStringList> libreOfficeCells(const QString& workbook, const QString& folder) {
    QDir().mkpath(folder);
    QProcess office;
    office.setProcessChannelMode(QProcess::MergedChannels);
    office.start(
        QStringLiteral("soffice"),
        {QStringLiteral("-env:UserInstallation=file://") + folder + QStringLiteral("/profile"),
         QStringLiteral("--headless"), QStringLiteral("--convert-to"),
         QStringLiteral("csv:Text - txt - csv (StarCalc):9,34,76,1"), QStringLiteral("--outdir"),
         folder, workbook});
    if (!office.waitForFinished(180000)) {
        office.kill();
        return {};
    }
    QList<QStringList> lines;
    for (const QString& line :
         fileLines(folder + QStringLiteral("/") + QFileInfo(workbook).completeBaseName() +
                   QStringLiteral(".csv")))
        lines << QString(line).remove(u'"').split(u'\t');
    return lines;
}

// The written workbooks open in a real spreadsheet application: LibreOffice
// reads the export and the chart's workbook and shows the cells written.
TEST_P(ChartCommand, LibreOfficeReadsTheExportAndTheChartsWorkbook) {
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    auto w = opened();
    pick(*w, QStringLiteral("部门汇总"));
    const F1Book& book = *w->F1Book1;
    const QString exported = out(QStringLiteral("部门汇总.xls"));
    ui->answerSave(exported);
    w->MN09->trigger();
    ChartWindow* shown = chartWindow(*w);
    ASSERT_EQ(ui->messageTexts(), QStringList());
    ASSERT_NE(shown, nullptr);
    shown->close();

    QList<QStringList> sheet{{}};
    for (int c = 1; c <= book.LastCol(); ++c)
        sheet[0] << book.ColHeading(c);
    for (int r = 1; r <= book.LastRow(); ++r) {
        sheet << QStringList();
        for (int c = 1; c <= book.LastCol(); ++c)
            sheet[r] << book.CellText(r, c);
    }
    EXPECT_EQ(libreOfficeCells(exported, out(QStringLiteral("lo-export"))), sheet);
    const QList<QStringList> chart =
        libreOfficeCells(PageOutput::temporaryWorkbook(), out(QStringLiteral("lo-chart")));
    ASSERT_EQ(chart.size(), book.LastRow() + 1);
    EXPECT_EQ(chart[0], sheet[0]);
    EXPECT_EQ(chart[1].value(0), book.CellText(1, 1));
    EXPECT_DOUBLE_EQ(chart[1].value(2).toDouble(), vb::Val(book.CellText(1, 3)));
}

TEST(ChartGroupItems, CountsTheItemsOfTheGroupPart) {
    EXPECT_EQ(ChartExport::groupItemCount(QString()), 0);
    EXPECT_EQ(ChartExport::groupItemCount(QStringLiteral(" group by DEPART")), 1);
    EXPECT_EQ(ChartExport::groupItemCount(QStringLiteral(" group by memberid, name")), 2);
    EXPECT_EQ(ChartExport::groupItemCount(QStringLiteral(" GROUP BY a,b,c")), 3);
}

} // namespace

QUILL_INSTANTIATE_ENGINES(ExportCommandsTest);
QUILL_INSTANTIATE_ENGINES(ChartCommand);
