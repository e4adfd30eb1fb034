#include "platform/office/PrintPreview.h"
#include "platform/office/Application.h"
#include "platform/office/SheetPrinter.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace quill;

namespace {

Sheet numbers(int rows) {
    Sheet sheet;
    sheet.resize(rows, 2);
    for (int r = 0; r < rows; ++r)
        sheet.setEntry(r, 0, QString::number(r + 1));
    return sheet;
}

QAction* action(QWidget& window, const QString& text) {
    for (QToolBar* bar : window.findChildren<QToolBar*>())
        for (QAction* a : bar->actions())
            if (a->text() == text)
                return a;
    return nullptr;
}

TEST(PrintPreview, ShowsThePagesAndLaysThemOutAgainAfterPageSetup) {
    Worksheet sheet(numbers(120));
    const int portrait = SheetPrinter(sheet, {}).pageCount();
    ASSERT_EQ(portrait, 3);

    auto shared = std::make_shared<Worksheet>(sheet);
    QPointer<PrintPreview> preview =
        new PrintPreview(shared, QDateTime::currentDateTime(), nullptr);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->show();
    QApplication::processEvents();
    EXPECT_EQ(preview->pageCount(), portrait);
    EXPECT_EQ(action(*preview, "页面设置"), nullptr);

    int asked = 0;
    preview->setPageSetupHandler([&](QWidget*, Worksheet& ws) {
        ++asked;
        ws.pageSetup().Orientation = PageSetup::Landscape;
        return true;
    });
    QAction* pageSetup = action(*preview, "页面设置");
    ASSERT_NE(pageSetup, nullptr);
    pageSetup->trigger();
    QApplication::processEvents();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(preview->pageCount(), SheetPrinter(*shared, {}).pageCount());
    EXPECT_GT(preview->pageCount(), portrait);
    preview->close();
    QApplication::processEvents();
    EXPECT_TRUE(preview.isNull());
}

} // namespace
