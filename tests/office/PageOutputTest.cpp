#include "PdfText.h"

#include "platform/grid/F1Book.h"
#include "platform/office/Application.h"
#include "platform/ui/ScriptedUi.h"
#include "suite/SuiteLib.h"
#include "windows/manage/PageOutput.h"
#include "windows/manage/PageSetupDialog.h"
#include "windows/manage/StoredPageSetup.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QWidget>

#include <gtest/gtest.h>

using namespace quill;
using quill::test::pageLines;
using quill::test::pdfPages;

namespace {

// Longer than a workbook file keeps as a sheet name.
const QString Caption = "职工名册(全部部门全部班组全部人员,截至二〇二六年十二月六日)";
const QString PrintDate = "打印日期: 26-12-06";

class PageOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QPrinterInfo::defaultPrinter().isNull())
            GTEST_SKIP() << "a printer is installed; these tests print into PDF files";
        SuiteLib& lib = SuiteLib::instance();
        lib.reset();
        lib.WorkFolder = m_dir.path();
        lib.SettingsFolder = m_dir.path();
        lib.SettingsFileName = "quill.ini";
        lib.OperatorName = "财务处";
        lib.UserName = "张三";
        m_output = &PageOutput::of(m_window, m_book);
        m_output->setToday(QDate(2026, 12, 6));
    }
    void TearDown() override { SuiteLib::instance().reset(); }

    // A default sheet as the renderer leaves it: records only, the field
    // captions as column headings.
    void defaultSheet(int records, int cols) {
        m_book.SetLastRow(records);
        m_book.SetLastCol(cols);
        for (int c = 1; c <= cols; ++c) {
            m_book.SetColHeading(c, QStringLiteral("列%1").arg(c));
            for (int r = 1; r <= records; ++r)
                m_book.SetCellText(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
        }
        m_book.SetSheetName(1, Caption);
    }
    void store(const QString& key, const QString& value) {
        SuiteLib& lib = SuiteLib::instance();
        lib.WriteSetting("PRINT", key, value, lib.settingsPath());
    }
    // Prints; the text of the pages of the PDF written for want of a printer.
    QStringList print(PageOutput::Kind kind = PageOutput::Kind::Default,
                      const QString& report = QString()) {
        QFile::remove(PageOutput::fallbackPdf());
        m_output->writeAndRun(report, kind, PageOutput::Print);
        EXPECT_EQ(m_ui.messageTexts().value(0),
                  QStringLiteral("没有可用的打印机,已打印到文件: ") + PageOutput::fallbackPdf());
        m_ui.clear();
        return pdfPages(PageOutput::fallbackPdf());
    }
    Worksheet& openForUser(PageOutput::Kind kind = PageOutput::Kind::Default,
                           const QString& report = QString()) {
        m_output->writeAndRun(report, kind, PageOutput::OpenForUser);
        EXPECT_NE(m_output->sheet(), nullptr);
        return *m_output->sheet();
    }

    QTemporaryDir m_dir;
    ScriptedUi m_ui;
    QWidget m_window;
    F1Book m_book;
    PageOutput* m_output = nullptr;
};

TEST_F(PageOutputTest, DefaultSheetWithoutSettings) {
    defaultSheet(120, 3);
    const QStringList pages = print();
    ASSERT_EQ(pages.size(), 3);
    for (int i = 0; i < pages.size(); ++i) {
        const QStringList text = pageLines(pages[i]);
        ASSERT_GE(text.size(), 4);
        EXPECT_EQ(text[0], Caption);
        EXPECT_EQ(text[1], "列1 列2 列3");
        EXPECT_EQ(text.last(), QStringLiteral("3 财务处 制表人: 张三 审核人: ________ %1 %2")
                                   .arg(PrintDate)
                                   .arg(i + 1));
    }
    EXPECT_TRUE(pageLines(pages[0])[2].startsWith("r1c1"));
    // Printing ends the application; the same run for the user shows the sheet.
    EXPECT_EQ(m_output->application(), nullptr);
    const Worksheet& sheet = openForUser();
    EXPECT_TRUE(sheet.sheet().bold(0, 2));
    EXPECT_FALSE(sheet.sheet().bold(1, 2));
    const PageSetup& setup = sheet.pageSetup();
    EXPECT_EQ(setup.PrintArea, "$A$1:$C$121");
    EXPECT_EQ(setup.PrintTitleRows, "$1:$1");
    EXPECT_FALSE(setup.PrintGridLines);
    EXPECT_FALSE(setup.PrintHeadings);
    EXPECT_FALSE(setup.CenterHorizontally);
    EXPECT_FALSE(setup.CenterVertically);
}

TEST_F(PageOutputTest, AStoredCenterFooterPrintsBetweenOperatorAndDate) {
    defaultSheet(5, 2);
    store("日报.CenterFooter", "部门主管");
    const QStringList pages = print(PageOutput::Kind::Default, "日报");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pageLines(pages[0]).last(), QStringLiteral("1 财务处 部门主管 %1 1").arg(PrintDate));
    EXPECT_EQ(openForUser(PageOutput::Kind::Default, "日报").pageSetup().CenterFooter,
              QStringLiteral("财务处     部门主管     ") + PrintDate);
}

TEST_F(PageOutputTest, StoredPageSetupOfTheReport) {
    defaultSheet(5, 2);
    struct Case {
        const char* key;
        const char* value;
        bool (*holds)(const PageSetup&);
    };
    const std::vector<Case> cases = {
        {"PrintGridLines", "False", [](const PageSetup& s) { return !s.PrintGridLines; }},
        {"PrintGridLines", "yes", [](const PageSetup& s) { return !s.PrintGridLines; }},
        {"PrintGridLines", "true", [](const PageSetup& s) { return !s.PrintGridLines; }},
        {"PrintGridLines", "True", [](const PageSetup& s) { return s.PrintGridLines; }},
        {"CenterHorizontally", "True", [](const PageSetup& s) { return s.CenterHorizontally; }},
        {"Orientation", "2", [](const PageSetup& s) { return s.Orientation == 2; }},
        {"Orientation", "横向", [](const PageSetup& s) { return s.Orientation == 1; }},
        {"Zoom", "False", [](const PageSetup& s) { return s.Zoom == 0; }},
        {"LeftMargin", "18", [](const PageSetup& s) { return s.LeftMargin == 18; }},
        {"PaperSize", "8", [](const PageSetup& s) { return s.PaperSize == 8; }},
        {"LeftHeader", "&D", [](const PageSetup& s) { return s.LeftHeader == "&D"; }},
    };
    for (const Case& c : cases) {
        // The table's own query has no report name: its keys are "." + property.
        store(QStringLiteral(".") + c.key, c.value);
        openForUser();
        EXPECT_TRUE(c.holds(m_output->sheet()->pageSetup())) << c.key << "=" << c.value;
        store(QStringLiteral(".") + c.key, QString());
    }
}

TEST_F(PageOutputTest, AnUnpagedTemplatePrintsItsFirstFourRowsOnEveryPage) {
    m_book.SetLastRow(124);
    m_book.SetLastCol(2);
    for (int r = 1; r <= 4; ++r)
        m_book.SetCellText(r, 1, QStringLiteral("标题%1").arg(r));
    for (int r = 5; r <= 124; ++r)
        m_book.SetCellText(r, 2, QStringLiteral("r%1").arg(r));
    m_book.SetSheetName(1, Caption);
    const QStringList pages = print(PageOutput::Kind::UnpagedTemplate);
    ASSERT_EQ(pages.size(), 3);
    for (int i = 0; i < pages.size(); ++i) {
        const QStringList text = pageLines(pages[i]);
        EXPECT_EQ(text.mid(0, 4), (QStringList{"标题1", "标题2", "标题3", "标题4"})) << i;
        // pdftotext may part texts where the font changes, so blanks are left out.
        EXPECT_EQ(QString(text.last()).remove(u' '),
                  QStringLiteral("制表:________审查:________核准:________第%1页,共3页").arg(i + 1));
        EXPECT_FALSE(pages[i].contains(Caption));
    }
    EXPECT_TRUE(pageLines(pages[1])[4].startsWith("r52"));
    EXPECT_EQ(m_output->sheet(), nullptr);
}

TEST_F(PageOutputTest, APagedTemplatePrintsExactlyItsPrintAreaWithoutHeadersOrFooters) {
    m_book.SetLastRow(75);
    m_book.SetLastCol(5);
    for (int r = 1; r <= 75; ++r)
        m_book.SetCellText(r, 5, QStringLiteral("页块%1").arg(r));
    m_book.SetSheetName(1, Caption);
    store(".CenterHeader", "不应出现");
    store(".LeftFooter", "不应出现");
    const QStringList pages = print(PageOutput::Kind::PagedTemplate);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pageLines(pages[0]).first() == "页块1");
    EXPECT_TRUE(pageLines(pages[1]).last() == "页块75");
    EXPECT_FALSE((pages[0] + pages[1]).contains("不应出现"));
    EXPECT_FALSE((pages[0] + pages[1]).contains("打印日期"));
}

TEST_F(PageOutputTest, PrintAreasReachColumnsPast99) {
    defaultSheet(2, 100);
    const QStringList pages = print();
    const Worksheet* sheet = m_output->sheet();
    EXPECT_EQ(sheet, nullptr);
    EXPECT_TRUE(pages.join("").contains("r2c100"));
    EXPECT_TRUE(pages.join("").contains("列100"));
    openForUser();
    EXPECT_EQ(m_output->sheet()->pageSetup().PrintArea, "$A$1:$CV$3");
}

TEST_F(PageOutputTest, OpenForUserKeepsEveryDataColumn) {
    for (int cols : {89, 99, 100, 105}) {
        defaultSheet(2, cols);
        const Sheet& sheet = openForUser().sheet();
        for (int c : {1, 89, 90, cols}) {
            if (c <= cols) {
                EXPECT_EQ(sheet.text(2, c - 1), QStringLiteral("r2c%1").arg(c)) << cols;
            }
        }
        EXPECT_EQ(m_output->sheet()->selection(), (CellRange{0, 0, 0, 0}));
    }
}

TEST_F(PageOutputTest, OpenForUserKeepsDataRowsPast16000) {
    m_book.SetLastRow(16005);
    m_book.SetLastCol(1);
    for (int r = 15990; r <= 16005; ++r)
        m_book.SetCellText(r, 1, QString::number(r));
    const Sheet& sheet = openForUser().sheet();
    ASSERT_EQ(sheet.rowCount(), 16006);
    for (int r = 15990; r <= 16005; ++r)
        EXPECT_EQ(sheet.text(r, 0), QString::number(r));
}

TEST_F(PageOutputTest, PreviewShowsTheSheetInAWindowOfItsOwn) {
    defaultSheet(120, 3);
    m_output->writeAndRun(QString(), PageOutput::Kind::Default, PageOutput::Preview);
    PrintPreview* preview = m_output->preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->parentWidget(), &m_window);
    EXPECT_EQ(preview->pageCount(), 3);
    EXPECT_TRUE(m_ui.messages().isEmpty());
    preview->close();
}

TEST_F(PageOutputTest, ThePreviewsPageSetupStoresTheReportsKeysAndLaysOutAgain) {
    defaultSheet(120, 3);
    m_output->writeAndRun("日报", PageOutput::Kind::Default, PageOutput::Preview);
    PrintPreview* preview = m_output->preview();
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(preview->pageCount(), 3);
    QAction* button = nullptr;
    for (QToolBar* bar : preview->findChildren<QToolBar*>())
        for (QAction* a : bar->actions())
            if (a->text() == "页面设置")
                button = a;
    ASSERT_NE(button, nullptr);

    auto choose = [](bool accept) {
        QTimer::singleShot(0, [accept] {
            auto* dialog = qobject_cast<PageSetupDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->orientation->setCurrentIndex(1);
            dialog->gridLines->setChecked(true);
            dialog->topMargin->setValue(2.5);
            dialog->footerText->setText("部门主管");
            accept ? dialog->accept() : dialog->reject();
        });
    };
    choose(false);
    button->trigger();
    EXPECT_EQ(preview->pageCount(), 3);
    EXPECT_EQ(StoredPageSetup::value("日报", "Orientation"), "");

    choose(true);
    button->trigger();
    QApplication::processEvents();
    const std::pair<const char*, const char*> stored[] = {{"Orientation", "2"},
                                                          {"PrintGridLines", "True"},
                                                          {"TopMargin", "70.87"},
                                                          {"PaperSize", "9"},
                                                          {"Zoom", "100"},
                                                          {"CenterHorizontally", "False"},
                                                          {"CenterFooter", "部门主管"}};
    for (const auto& [key, value] : stored)
        EXPECT_EQ(StoredPageSetup::value("日报", QString::fromLatin1(key)),
                  QString::fromUtf8(value))
            << key;
    // Landscape, with a wider top margin: 33 rows a page after the first.
    EXPECT_EQ(preview->pageCount(), 4);
    const PageSetup& setup = m_output->sheet()->pageSetup();
    EXPECT_EQ(setup.CenterFooter, QStringLiteral("财务处     部门主管     ") + PrintDate);
    EXPECT_EQ(setup.PrintTitleRows, "$1:$1");
    preview->close();

    // The next run reads what was stored.
    m_output->writeAndRun("日报", PageOutput::Kind::Default, PageOutput::OpenForUser);
    EXPECT_EQ(m_output->sheet()->pageSetup().Orientation, PageSetup::Landscape);
    EXPECT_TRUE(m_output->sheet()->pageSetup().PrintGridLines);
}

TEST_F(PageOutputTest, NothingHappensWithoutATemporaryWorkbook) {
    m_output->run(QString(), PageOutput::Kind::Default, PageOutput::Print);
    EXPECT_EQ(m_output->application(), nullptr);
    EXPECT_TRUE(m_ui.messages().isEmpty());
    EXPECT_FALSE(QFile::exists(PageOutput::fallbackPdf()));
}

} // namespace
