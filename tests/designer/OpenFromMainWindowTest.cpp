#include "DesignerFixture.h"

#include "foundation/Mdlx.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace quill;
using namespace quill::test;

namespace {

class OpenFromMainWindow : public DesignerFixture {
protected:
    struct Seen {
        QString name;
        QString report;
        bool modal = false;
    };
    // Runs `open` and, once the designer it opens has activated, notes what
    // it shows and closes it with Command3.
    static Seen openAndClose(const std::function<void()>& open) {
        Seen seen;
        QElapsedTimer clock;
        clock.start();
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* designer = qobject_cast<frmRSCX*>(modal);
            if (designer && designer->activations() >= 1) {
                seen = {designer->objectName(), designer->Text1->text(), designer->isModal()};
                designer->Command3->click();
            } else if (modal && clock.elapsed() > 10000) {
                modal->close();
            } else {
                return;
            }
            poll.stop();
        });
        poll.start();
        open();
        return seen;
    }
};

TEST_P(OpenFromMainWindow, QueryOpensTheDesignerAndTheMainWindowActivatesAgain) {
    openTable(QStringLiteral("工资管理"));
    mainWindow->show();
    QCoreApplication::processEvents();
    ASSERT_EQ(mainWindow->activations(), 1);
    mainWindow->ListView1_ItemClick(3);
    const QString report = mainWindow->ListView1->item(2)->text();

    Seen seen = openAndClose([this] { mainWindow->MN01->trigger(); });
    EXPECT_EQ(seen.name, QStringLiteral("frmRSCX"));
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.report, report) << "it opens on the report the main window ran";
    EXPECT_EQ(mainWindow->activations(), 2);

    seen = openAndClose([this] { mainWindow->Toolbar1_ButtonClick(1); });
    EXPECT_EQ(seen.name, QStringLiteral("frmRSCX"));
    EXPECT_EQ(mainWindow->activations(), 3);
    EXPECT_FALSE(mainWindow->isUnloaded());
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messageTexts().join('|').toStdString();
}

} // namespace

QUILL_INSTANTIATE_ENGINES(OpenFromMainWindow);
