#include "../manage/WindowFixture.h"
#include "PdfText.h"

#include "platform/grid/F1Book.h"
#include "platform/office/PrintPreview.h"
#include "suite/SuiteLib.h"
#include "windows/manage/PageOutput.h"
#include "windows/manage/frmRSGL.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPrinterInfo>

#include <algorithm>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

class PageCommands : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        if (!IsSkipped() && !QPrinterInfo::defaultPrinter().isNull())
            GTEST_SKIP() << "a printer is installed; print goes into a PDF file without one";
    }
};

TEST_P(PageCommands, PrintWritesTheSheetWithItsHeadingRowIntoAPdfWithoutAPrinter) {
    auto w = load("工资管理");
    show(*w);
    const QString pdf = PageOutput::fallbackPdf();
    QFile::remove(pdf);
    w->commandItem(8)->trigger();
    EXPECT_EQ(ui->messageTexts(),
              QStringList{QStringLiteral("没有可用的打印机,已打印到文件: ") + pdf});
    EXPECT_TRUE(QFile::exists(PageOutput::temporaryWorkbook()));
    const QStringList pages = pdfPages(pdf);
    ASSERT_FALSE(pages.isEmpty());
    const QString caption = w->F1Book1->SheetName(1);
    QStringList headings;
    for (int c = 1; c <= w->F1Book1->LastCol(); ++c)
        headings << w->F1Book1->ColHeading(c);
    // The records print below the headings, not only the frame around them.
    EXPECT_TRUE(pages[0].contains(w->F1Book1->CellText(1, 2))) << pages[0].toStdString();
    for (const QString& page : pages) {
        const QStringList text = pageLines(page);
        ASSERT_GE(text.size(), 3);
        EXPECT_EQ(text[0], caption);
        // The heading row of the page's columns comes first, on every page.
        const QStringList first = text[1].split(u' ');
        EXPECT_TRUE(std::all_of(first.begin(), first.end(), [&](const QString& h) {
            return headings.contains(h);
        })) << text[1].toStdString();
        EXPECT_TRUE(
            text.last().contains(QStringLiteral("制表人: ") + SuiteLib::instance().UserName));
    }
}

TEST_P(PageCommands, PreviewOpensAPreviewWindowOverTheWindow) {
    auto w = load("工资管理");
    show(*w);
    w->commandItem(7)->trigger();
    QApplication::processEvents();
    auto* preview = w->findChild<PrintPreview*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_GT(preview->pageCount(), 0);
    EXPECT_TRUE(ui->messageTexts().isEmpty());
    preview->close();
}

} // namespace

QUILL_INSTANTIATE_ENGINES(PageCommands);
