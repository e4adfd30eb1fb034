#include "Printers.h"
#include "WindowFixture.h"

#include "foundation/Mdlx.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/manage/frmRSGL.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QFile>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

class Commands : public WindowFixture {
protected:
    // Enabled menu items MN01..MN12, a blank, then shown toolbar buttons
    // 1..15, each as "1" or "0".
    static QString commands(const frmRSGL& w) {
        QString out;
        for (int n = 1; n <= 12; ++n)
            out += w.commandItem(n)->isEnabled() ? u'1' : u'0';
        out += u' ';
        for (int p = 1; p <= 15; ++p)
            out += w.toolbarButton(p)->isVisible() ? u'1' : u'0';
        return out;
    }
};

TEST_P(Commands, ToolbarIsRebuiltWithPluginButtonsAndNoSecondImage) {
    auto w = opened(QStringLiteral("工资管理"));
    ASSERT_EQ(w->toolbarButtonCount(), 15);
    const QStringList captions{"查询", "考勤", "档案", "计算", "添加", "修改", "删除", "编辑",
                               "保存", "预览", "打印", "输出", "图表", "关于", "退出"};
    for (int p = 1; p <= 15; ++p) {
        EXPECT_EQ(w->toolbarButton(p)->text(), captions[p - 1]) << p;
        EXPECT_EQ(w->toolbarButton(p)->data().toString(), QStringLiteral("KEY-%1").arg(p));
        EXPECT_FALSE(w->toolbarButton(p)->icon().isNull()) << p;
    }
    // Three plug-in images after the window's own twenty: one per key.
    EXPECT_EQ(w->ImageList1.Count(), 23);
    EXPECT_EQ(w->ImageList1.IndexOf(QStringLiteral("KEY-4")), 23);
    w->Form_Activate();
    w->Form_Activate();
    EXPECT_EQ(w->ImageList1.Count(), 23);
    EXPECT_EQ(w->toolbarButtonCount(), 15);
    EXPECT_FALSE(w->toolbarButton(2)->icon().isNull());

    // 考勤管理's second plug-in names no SYS02 entry: a hidden "没挂".
    w.reset();
    w = opened(QStringLiteral("考勤管理"));
    EXPECT_EQ(w->toolbarButton(3)->text(), QStringLiteral("没挂"));
    EXPECT_FALSE(w->toolbarButton(3)->isVisible());
    EXPECT_TRUE(w->toolbarButton(2)->isVisible());
    EXPECT_EQ(w->ImageList1.Count(), 21);
    EXPECT_EQ(ui->messageTexts(), QStringList());
}

TEST_P(Commands, RebuildInsideAButtonClickKeepsNoOldButtons) {
    auto w = opened(QStringLiteral("工资管理"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto actions = [&w] { return w->Toolbar1->findChildren<QAction*>().size(); };
    const auto before = actions();
    // Button 14 opens the About box; closing it activates the window again,
    // which rebuilds the toolbar while the button's click is still running.
    QTimer::singleShot(0, [] {
        if (auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            about->reject();
    });
    w->toolbarButton(14)->trigger();
    EXPECT_EQ(w->activations(), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(actions(), before);
    EXPECT_EQ(w->toolbarButtonCount(), 15);
}

TEST_P(Commands, MissingIconLeavesTheButtonWithoutAPicture) {
    QFile::remove(config().resolve(config().iconFolder) + QStringLiteral("/KQGL.ICO"));
    auto w = opened(QStringLiteral("工资管理"));
    EXPECT_TRUE(w->toolbarButton(2)->icon().isNull());
    EXPECT_TRUE(w->toolbarButton(2)->isVisible());
    EXPECT_EQ(w->ImageList1.IndexOf(QStringLiteral("KEY-2")), 0);
    EXPECT_EQ(ui->messageTexts(), QStringList());
}

// MN10 and button 13 follow the editing rules (current period, no group).
// The last character of an odd-length value is ignored; pairs that name no
// command change nothing.
TEST_P(Commands, RestrictionsDisableItemsAndHideButtons) {
    const std::pair<QString, QString> cases[] = {{"添加删除", "101011111011 111101011111011"},
                                                 {"查询-0关于添", "011111111001 011111111111001"},
                                                 {"退出", "111111111010 111111111111010"}};
    auto w = opened(QStringLiteral("工资管理"));
    for (const auto& [setting, expected] : cases) {
        writeSetting(QStringLiteral("工资管理MENU"), setting);
        w->Form_Activate();
        EXPECT_EQ(commands(*w), expected) << setting.toStdString();
    }
}

TEST_P(Commands, EditingCommandsFollowTheGroupPartAndThePeriodRange) {
    SuiteLib& lib = SuiteLib::instance();
    Mdlx& m = Mdlx::instance();
    auto w = opened(QStringLiteral("工资管理"));
    // The current period, no group: editing on, chart off.
    EXPECT_EQ(commands(*w), QStringLiteral("111111111011 111111111111011"));

    // Another period range: no editing even for an ungrouped query.
    for (auto* bound : {&m.PeriodFrom, &m.PeriodTo}) {
        *bound = QStringLiteral("2001年01月");
        w->Form_Activate();
        EXPECT_EQ(commands(*w), QStringLiteral("100000111111 111100000111111"));
        *bound = config().currentPeriod;
    }
    w->Form_Activate();
    EXPECT_EQ(commands(*w), QStringLiteral("111111111011 111111111111011"));

    // A group part of one column keeps the chart, of two columns not.
    lib.SqlSelect = QStringLiteral("select DEPART,sum(jbgz) as sumjbgz ");
    lib.SqlFrom = QStringLiteral("from GZB ");
    lib.SqlWhere = QString();
    lib.SqlGroup = QStringLiteral(" group by DEPART");
    lib.SqlOrder = QStringLiteral(" order by DEPART");
    w->Form_Activate();
    EXPECT_EQ(commands(*w), QStringLiteral("100000111111 111100000111111"));

    lib.SqlSelect = QStringLiteral("select DEPART,GROUP0,sum(jbgz) as sumjbgz ");
    lib.SqlGroup = QStringLiteral(" group by DEPART,GROUP0");
    lib.SqlOrder = QStringLiteral(" order by DEPART,GROUP0");
    w->Form_Activate();
    EXPECT_EQ(commands(*w), QStringLiteral("100000111011 111100000111011"));
    EXPECT_EQ(ui->messageTexts(), QStringList());
}

TEST_P(Commands, BookCaptionGetsTheOperatorAndThePrintDateOnce) {
    SuiteLib& lib = SuiteLib::instance();
    auto w = opened(QStringLiteral("工资管理"));
    EXPECT_EQ(w->F1Book1->BookCaption(), QString());

    w->F1Book1->SetBookCaption(QStringLiteral("月度工资表"));
    w->Form_Activate();
    const QString stamped = lib.OperatorName + QStringLiteral(" [打印日期:") +
                            QDate::currentDate().toString(QStringLiteral("yy-MM-dd")) +
                            QStringLiteral("] 月度工资表");
    EXPECT_EQ(w->F1Book1->BookCaption(), stamped);
    w->Form_Activate();
    EXPECT_EQ(w->F1Book1->BookCaption(), stamped);

    const QString own = QStringLiteral("制表 ") + lib.OperatorName;
    w->F1Book1->SetBookCaption(own);
    w->Form_Activate();
    EXPECT_EQ(w->F1Book1->BookCaption(), own);
}

} // namespace

QUILL_INSTANTIATE_ENGINES(Commands);
