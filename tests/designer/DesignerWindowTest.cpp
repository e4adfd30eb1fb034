#include "DesignerFixture.h"

#include "demo/DemoReports.h"
#include "foundation/Mdlx.h"
#include "platform/db/Connection.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/designer/frmRSCX.h"
#include "windows/manage/frmRSGL.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

const QString Salary = QStringLiteral("工资管理");

class DesignerWindow : public DesignerFixture {
protected:
    static QStringList reportsOf(const QString& table) {
        QStringList names;
        for (const DemoReport& r : DemoReports::all()) {
            if (r.table == table)
                names << r.name;
        }
        return names;
    }
    static int entryIndex(const frmRSCX& w, const QString& name) {
        return texts(w.List6).indexOf(name);
    }
    // The condition rows that hold anything.
    static QStringList gridRows(const frmRSCX& w) {
        QStringList all = rows(*w.F1Book1);
        all.removeAll(QStringLiteral("|||"));
        return all;
    }
};

TEST_P(DesignerWindow, StartsOnEachDemoTable) {
    struct Case {
        QString title, table;
        bool rangeDialog;
    };
    for (const Case& c : QList<Case>{{Salary, QStringLiteral("GZB"), true},
                                     {QStringLiteral("考勤管理"), QStringLiteral("KQB"), true},
                                     {QStringLiteral("人事档案"), QStringLiteral("YGZL"), false}}) {
        SCOPED_TRACE(c.title.toStdString());
        openTable(c.title);
        auto w = designer(false);
        EXPECT_EQ(texts(w->List6), QStringList{c.title} + reportsOf(c.table));
        EXPECT_EQ(w->F1Book1->LastRow(), 30);
        EXPECT_EQ(w->F1Book1->LastCol(), 4);
        EXPECT_FALSE(w->F1Book1->ObjVisible(1));
        EXPECT_TRUE(w->Option1->isChecked());
        EXPECT_TRUE(w->Option5->isChecked());
        EXPECT_EQ(w->Command2->isEnabled(), c.rangeDialog);
        for (QPushButton* b : {w->Command4, w->Command5, w->Command6})
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
        EXPECT_TRUE(w->Command1->isEnabled());
        EXPECT_EQ(w->List1->currentRow(), 0);

        w->show();
        QCoreApplication::processEvents();
        const Mdlx& m = Mdlx::instance();
        EXPECT_EQ(w->activations(), 1);
        EXPECT_EQ(w->property("activations").toInt(), 1);
        EXPECT_EQ(w->List6->currentRow(), 0);
        EXPECT_EQ(w->Text1->text(), c.title);
        EXPECT_EQ(w->reportName(), c.title);
        EXPECT_EQ(m.RangeCaption.isEmpty(), !c.rangeDialog);
        EXPECT_EQ(w->windowTitle(), c.title + m.RangeCaption);
        EXPECT_TRUE(ui->messages().isEmpty()) << ui->messageTexts().join('|').toStdString();
    }
}

TEST_P(DesignerWindow, LoadsAStoredReportIntoTheListsAndTheGrid) {
    openTable(Salary);
    auto w = designer();
    const Mdlx& m = Mdlx::instance();
    const int index = entryIndex(*w, QStringLiteral("生产部一班工资"));
    ASSERT_GT(index, 0);
    w->List6_Click(index);
    EXPECT_EQ(w->loadedReportIndex(), index);
    EXPECT_EQ(w->Text1->text(), QStringLiteral("生产部一班工资"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("生产部一班工资") + m.RangeCaption);
    EXPECT_EQ(texts(w->List2),
              QStringLiteral("工号 姓名 部门 班别 组别 基本工资 应发合计 实发工资").split(u' '));
    EXPECT_EQ(texts(w->List3), QStringList{QStringLiteral("工号")});
    EXPECT_EQ(texts(w->List4),
              (QStringList{QStringLiteral("应发合计"), QStringLiteral("实发工资")}));
    EXPECT_TRUE(texts(w->List5).isEmpty());
    EXPECT_EQ(gridRows(*w),
              (QStringList{"|部门|=|生产部", "并且|班别|=|一班", "并且|实发工资|>|1000"}));
    EXPECT_EQ(w->statusText(), QString());

    w->List6_Click(entryIndex(*w, QStringLiteral("部门汇总")));
    EXPECT_EQ(texts(w->List5), QStringList{QStringLiteral("部门")});
    EXPECT_EQ(texts(w->List4), (QStringList{QStringLiteral("基本工资"), QStringLiteral("应发合计"),
                                            QStringLiteral("实发工资")}));
    EXPECT_TRUE(gridRows(*w).isEmpty()) << "the grid holds only the report's conditions";

    w->List6_Click(0);
    EXPECT_EQ(w->loadedReportIndex(), 0);
    for (QListWidget* list : {w->List2, w->List3, w->List4, w->List5})
        EXPECT_EQ(list->count(), 0) << list->objectName().toStdString();
    EXPECT_EQ(w->Text1->text(), Salary);
    w->Text1->setText(QStringLiteral("月报"));
    EXPECT_EQ(w->reportName(), QStringLiteral("月报"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("月报") + m.RangeCaption);
}

// The main window ran a report: the designer opens on it, with its
// conditions as the run left them (codes, shown as names).
TEST_P(DesignerWindow, OpensOnTheReportTheMainWindowRan) {
    openTable(Salary);
    const int entry = reportsOf(QStringLiteral("GZB")).indexOf(QStringLiteral("生产部一班工资"));
    mainWindow->show();
    QCoreApplication::processEvents();
    mainWindow->ListView1_ItemClick(entry + 2);
    ASSERT_EQ(Mdlx::instance().CurrentReportIndex, entry + 1);
    ASSERT_EQ(Mdlx::instance().ActiveCount, 3);
    auto w = designer();
    EXPECT_EQ(w->List6->currentRow(), entry + 1);
    EXPECT_EQ(w->Text1->text(), QStringLiteral("生产部一班工资"));
    EXPECT_EQ(texts(w->List3), QStringList{QStringLiteral("工号")});
    EXPECT_EQ(gridRows(*w).value(1), QStringLiteral("并且|班别|=|一班"));
    EXPECT_EQ(gridRows(*w).size(), 3);

    Mdlx::instance().CurrentReportIndex = 40;
    w->Form_Activate();
    EXPECT_EQ(w->List6->currentRow(), 0) << "a report deleted meanwhile: the table's own query";
    EXPECT_EQ(w->loadedReportIndex(), 0);
}

TEST_P(DesignerWindow, AReportDeletedMeanwhileIsSaidSo) {
    openTable(Salary);
    auto w = designer();
    SuiteLib::instance().Connection->Execute(
        QStringLiteral("delete from zdb1 where proname='工资明细表'"));
    w->List6_Click(entryIndex(*w, QStringLiteral("工资明细表")));
    EXPECT_EQ(w->statusText(), QStringLiteral("报表'工资明细表'已不存在,可能已被删除。"));
    EXPECT_EQ(w->List2->count(), 0);
    EXPECT_TRUE(ui->messages().isEmpty()) << "the designer speaks through its status bar";
}

TEST_P(DesignerWindow, Command3AndTheCloseBoxCloseIt) {
    openTable(Salary);
    SuiteLib& lib = SuiteLib::instance();
    for (const bool closeBox : {false, true}) {
        auto w = designer();
        lib.RunState = QStringLiteral("exit");
        if (closeBox)
            w->close();
        else
            w->Command3->click();
        EXPECT_TRUE(w->isUnloaded()) << closeBox;
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(lib.RunState, QString());
    }
}

// The window as a user sees it: every control shown, inside the window,
// its caption not cut off. The picture is left for a person to look at.
TEST_P(DesignerWindow, EveryControlIsShownWhole) {
    openTable(Salary);
    auto w = designer();
    w->List6_Click(entryIndex(*w, QStringLiteral("生产部一班工资")));
    w->F1Book1->SetActiveCell(2, 4);
    QCoreApplication::processEvents();
    w->F1Book1_Click(2, 4);
    ASSERT_TRUE(w->F1Book1->ObjVisible(1));
    const QImage picture = w->grab().toImage();
    ASSERT_FALSE(picture.isNull());
    picture.save(
        QDir::temp().filePath(QStringLiteral("quill-designer-%1.png")
                                  .arg(QString::fromStdString(engineName({GetParam(), 0})))));
    const QRect window = w->rect();
    for (QWidget* control : w->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (!name.contains(QRegularExpression(QStringLiteral("^(List|Option|Command|Label|Text|"
                                                             "Check|Frame|F1Book|StatusBar)\\d$"))))
            continue;
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(control->isVisible());
        const QRect at(control->mapTo(w.get(), QPoint(0, 0)), control->size());
        EXPECT_TRUE(window.contains(at))
            << at.x() << "," << at.y() << " " << at.width() << "x" << at.height();
        if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLabel*>(control)) {
            EXPECT_GE(control->width(), control->sizeHint().width());
        }
        if (qobject_cast<QListWidget*>(control)) {
            EXPECT_GE(control->height(), 80);
        }
    }
    EXPECT_GE(w->F1Book1->height(), 200);
}

} // namespace

QUILL_INSTANTIATE_ENGINES(DesignerWindow);
