#include "Printers.h"
#include "WindowFixture.h"

#include "platform/com/ComObject.h"
#include "platform/com/ComRegistry.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/about/frmAbout.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/ToolbarPlugins.h"
#include "windows/manage/frmRSGL.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

// A suite module standing in for the real ones: counts its zh calls.
class CountingModule : public ComObject {
public:
    explicit CountingModule(int& calls)
        : m_calls(calls) {}
    int zh() override {
        ++m_calls;
        return 0;
    }

private:
    int& m_calls;
};

class Plugins : public WindowFixture {
protected:
    void TearDown() override {
        for (const QString& id : m_registered)
            ComRegistry::instance().unregisterFactory(id);
        WindowFixture::TearDown();
    }
    // Registers progId in process; the returned counter counts zh calls.
    int& provide(const QString& progId) {
        int& calls = m_calls[progId];
        ComRegistry::instance().registerFactory(
            progId, [&calls] { return std::make_shared<CountingModule>(calls); });
        m_registered << progId;
        return calls;
    }
    QString home() const { return SuiteLib::instance().HomeFolder; }

private:
    std::map<QString, int> m_calls;
    QStringList m_registered;
};

TEST_P(Plugins, RegisteredModulesRunAfterTheRightCheck) {
    SuiteLib& lib = SuiteLib::instance();
    int& quill = provide(QStringLiteral("QUILL.clszh"));
    lib.UserMenus = QString();
    auto w = opened(QStringLiteral("工资管理"));

    // Plug-in 2 is 人事档案, whose zxtm "*" admits every user; the module's
    // window has closed when zh returns, so this one activates again.
    w->MNE2_Click();
    EXPECT_EQ(quill, 1);
    EXPECT_EQ(lib.CommandName, QStringLiteral("人事档案"));
    EXPECT_EQ(lib.CommandIcon, QStringLiteral("RSDA.ICO"));
    EXPECT_EQ(w->activations(), 2);
    // Toolbar button 3 runs the same plug-in.
    w->Toolbar1_ButtonClick(3);
    EXPECT_EQ(quill, 2);
    EXPECT_EQ(ui->messageTexts(), QStringList());

    // Plug-in 1 is 考勤管理, for 管理员 only by zxtm; the user's menus decide.
    w->MNE1_Click();
    EXPECT_EQ(quill, 2);
    EXPECT_EQ(ui->messages(), (Messages{{lib.UserName + "未被授权使用'考勤管理'",
                                         MsgButtons::OkOnly, "系统提示"}}));
    lib.UserMenus = QStringLiteral(",工资管理,考勤管理,");
    w->MNE1_Click();
    EXPECT_EQ(quill, 3);
    EXPECT_EQ(ui->messages().size(), 1);
}

TEST_P(Plugins, UnregisteredEntriesModulesAndExecutables) {
    SuiteLib& lib = SuiteLib::instance();
    auto w = opened(QStringLiteral("工资管理"));

    writeSetting(QStringLiteral("工资管理MENU3"), QStringLiteral("没有的菜单"));
    w->MNE3_Click();
    EXPECT_EQ(ui->messages(),
              (Messages{{"菜单:'没有的菜单'尚未登记", MsgButtons::OkOnly, "系统提示"}}));

    // A quote in the caption is a caption like any other.
    writeSetting(QStringLiteral("工资管理MENU3"), QStringLiteral("O'Brien"));
    w->MNE3_Click();
    ASSERT_EQ(ui->messages().size(), 2);
    EXPECT_EQ(ui->messages()[1].text, QStringLiteral("菜单:'O'Brien'尚未登记"));

    // 考勤机导入: zxtm "管理员*" admits everyone; its module KQDR.dll is
    // neither an executable nor a registered object.
    lib.UserMenus = QString();
    writeSetting(QStringLiteral("工资管理MENU3"), QStringLiteral("考勤机导入"));
    ui->clear();
    w->MNE3_Click();
    EXPECT_EQ(ui->messages(), (Messages{{"KQDR.dll未注册", MsgButtons::OkOnly, {}}}));
    EXPECT_EQ(lib.CommandIcon, QStringLiteral("KQDR.ICO"));
    EXPECT_EQ(w->activations(), 1);

    // As an executable in HomeFolder it is started, detached.
    QFile program(home() + QStringLiteral("/KQDR"));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.close();
    program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
    ui->clear();
    w->MNE3_Click();
    EXPECT_EQ(ui->messageTexts(), QStringList());
    ASSERT_EQ(ui->starts().size(), 1);
    EXPECT_EQ(ui->starts()[0].program, home() + QStringLiteral("/KQDR"));
    EXPECT_EQ(w->activations(), 1);
}

TEST_P(Plugins, UnsavedEditsAreConfirmedBeforeAPluginRuns) {
    SuiteLib& lib = SuiteLib::instance();
    int& quill = provide(QStringLiteral("QUILL.clszh"));
    auto w = opened(QStringLiteral("工资管理"));
    w->setEditMode(true);
    w->F1Book1->SetAllowCellEditing(true);

    ui->answer(MsgResult::Cancel);
    w->MNE2_Click();
    EXPECT_EQ(ui->messages(),
              (Messages{{"资料已变动,真的放弃保存?", MsgButtons::OkCancel, "系统提示"}}));
    EXPECT_TRUE(w->editMode());
    EXPECT_EQ(lib.CommandName, QString());
    EXPECT_EQ(quill, 0);

    ui->answer(MsgResult::Ok);
    w->MNE2_Click();
    EXPECT_FALSE(w->editMode());
    EXPECT_FALSE(w->F1Book1->AllowCellEditing());
    EXPECT_EQ(quill, 1);
}

// The plug-in entries are read before the toolbar is cleared: when SYS02
// cannot be read the toolbar stays as it was instead of half built.
TEST_P(Plugins, AFailedRebuildLeavesTheToolbarAsItWas) {
    auto w = opened(QStringLiteral("工资管理"));
    const QList<QAction*> before = w->Toolbar1->actions();
    ASSERT_EQ(before.size(), ToolbarPlugins::Buttons);
    SuiteLib::instance().Connection->Execute(QStringLiteral("drop table SYS02"));
    EXPECT_THROW(w->toolbarPlugins().rebuild(), DbError);
    EXPECT_EQ(w->Toolbar1->actions(), before);
}

TEST_P(Plugins, PopUpShowsOnlyPluginsWithACaption) {
    auto w = opened(QStringLiteral("工资管理"));
    for (int i = 1; i <= 3; ++i)
        writeSetting(QStringLiteral("工资管理CAP%1").arg(i), QString());
    w->F1Book1_MouseDown(2, 0, 10, 10);
    EXPECT_FALSE(w->MNE->isVisible());

    writeSetting(QStringLiteral("工资管理CAP2"), QStringLiteral("档案"));
    w->F1Book1_MouseDown(1, 0, 10, 10);
    EXPECT_FALSE(w->MNE->isVisible()) << "left button";
    w->F1Book1_MouseDown(2, 0, 10, 10);
    EXPECT_TRUE(w->MNE->isVisible());
    EXPECT_EQ(w->MNE2->text(), QStringLiteral("人事档案"));
    EXPECT_TRUE(w->MNE2->isVisible());
    EXPECT_FALSE(w->MNE1->isVisible());
    EXPECT_FALSE(w->MNE3->isVisible());
    w->MNE->close();
}

TEST_P(Plugins, CompanionModuleOnADoubleClick) {
    SuiteLib& lib = SuiteLib::instance();
    auto w = load(QStringLiteral("工资管理"));
    lib.SqlWhere = QString(); // every pay row
    show(*w);
    ASSERT_GT(w->renderer().RecordCount(), 0);

    w->F1Book1_DblClick(3, 0);
    EXPECT_EQ(lib.CurrentRow, 3);

    // Without vega.dll, and with the switch off, nothing happens.
    w->F1Book1_DblClick(1, 1);
    ASSERT_TRUE(QDir().mkpath(home() + QStringLiteral("/dll")));
    QFile library(home() + QStringLiteral("/dll/vega.dll"));
    ASSERT_TRUE(library.open(QIODevice::WriteOnly));
    library.close();
    w->F1Book1_DblClick(1, 1);
    EXPECT_EQ(ui->messageTexts(), QStringList());

    writeSetting(QStringLiteral("工资管理-USE"), QStringLiteral("NO"), QStringLiteral("VEGA"));
    w->F1Book1_DblClick(1, 1);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_EQ(ui->messages()[0].text, home() + QStringLiteral("/dll/vega.dll未注册"));

    int& vega = provide(QStringLiteral("vega.clszh"));
    const int before = w->activations();
    w->F1Book1_DblClick(2, 3);
    EXPECT_EQ(vega, 1);
    EXPECT_EQ(w->activations(), before + 1);

    // Row 0, in-cell editing, or a grouped query: no companion.
    w->F1Book1_DblClick(0, 2);
    w->F1Book1->SetAllowCellEditing(true);
    w->F1Book1_DblClick(2, 2);
    EXPECT_FALSE(w->F1Book1->AllowCellEditing());
    EXPECT_FALSE(w->F1Book1->AllowEditB());
    EXPECT_FALSE(w->F1Book1->AllowEditC());
    lib.SqlGroup = QStringLiteral(" group by DEPART");
    w->F1Book1_DblClick(2, 2);
    EXPECT_EQ(vega, 1);
}

TEST_P(Plugins, AboutBoxIsModalAndTheWindowActivatesAfterIt) {
    SuiteLib& lib = SuiteLib::instance();
    auto w = opened(QStringLiteral("工资管理"));
    QString shownTitle;
    QTimer::singleShot(0, [&shownTitle] {
        auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        if (!about)
            return;
        shownTitle = about->windowTitle();
        about->Image1_Click();
        about->Command1_Click();
    });
    w->MN11_Click();
    EXPECT_FALSE(shownTitle.isEmpty());
    EXPECT_EQ(w->activations(), 2);
    EXPECT_EQ(
        lib.ReadSetting(QStringLiteral("VEGA"), QStringLiteral("工资管理-USE"), lib.settingsPath()),
        QStringLiteral("NO"));
    frmAbout about(w.get());
    about.Label4_Click();
    EXPECT_EQ(
        lib.ReadSetting(QStringLiteral("VEGA"), QStringLiteral("工资管理-USE"), lib.settingsPath()),
        QStringLiteral("YES"));
}

} // namespace

QUILL_INSTANTIATE_ENGINES(Plugins);
