#include "Printers.h"
#include "WindowFixture.h"

#include "platform/com/ComObject.h"
#include "platform/com/ComRegistry.h"
#include "platform/db/Connection.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/entry/frmRSLR.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/frmRSGL.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

// An external entry module standing in for another suite component.
class EntryModule : public ComObject {
public:
    explicit EntryModule(QStringList& calls)
        : m_calls(calls) {}
    int zh() override {
        m_calls << SuiteLib::instance().CommandName;
        return 0;
    }

private:
    QStringList& m_calls;
};

class RecordCommandsTest : public WindowFixture {
protected:
    void TearDown() override {
        ComRegistry::instance().unregisterFactory(QStringLiteral("WAIBU.clszh"));
        WindowFixture::TearDown();
    }
    // The window on all the table's records (it starts on the query that
    // proved the table exists).
    std::unique_ptr<frmRSGL> opened(const QString& title) {
        auto w = load(title);
        show(*w);
        SuiteLib::instance().SqlWhere = QString();
        w->Form_Activate();
        QCoreApplication::processEvents();
        return w;
    }
    // Runs `step` on the entry window once it is shown modally, then closes
    // it; its object name is remembered ("" when none was shown).
    void onEntryWindow(std::function<void(frmRSLR&)> step) {
        m_shown.clear();
        QTimer::singleShot(0, [this, step] {
            auto* entry = qobject_cast<frmRSLR*>(QApplication::activeModalWidget());
            if (!entry)
                return;
            m_shown = entry->objectName();
            step(*entry);
            if (entry->isVisible())
                entry->reject();
        });
    }
    QString shown() const { return m_shown; }
    int ygzl(const QString& where) const {
        QSqlQuery q(SuiteLib::instance().Connection->database());
        q.exec(QStringLiteral("select count(*) from YGZL ") + where);
        q.next();
        return q.value(0).toInt();
    }

private:
    QString m_shown;
};

TEST_P(RecordCommandsTest, AnAuditedPeriodRefusesAllThree) {
    SuiteLib& lib = SuiteLib::instance();
    auto w = opened(QStringLiteral("工资管理"));
    w->F1Book1_Click(2, 1);
    lib.AuditFlag = QStringLiteral("是");
    for (int button : {5, 6, 7}) {
        onEntryWindow([](frmRSLR&) {});
        w->Toolbar1_ButtonClick(button);
        EXPECT_EQ(shown(), QString()) << button;
    }
    w->MN02_Click();
    w->MN03_Click();
    w->MN04_Click();
    EXPECT_EQ(ui->messageTexts(), QStringList(6, QStringLiteral("该期数据已审核")));
}

TEST_P(RecordCommandsTest, ModifyAndDeleteNeedAClickedRecord) {
    SuiteLib& lib = SuiteLib::instance();
    auto w = opened(QStringLiteral("工资管理"));
    ASSERT_GT(w->renderer().RecordCount(), 0);
    EXPECT_EQ(lib.CurrentRow, 0);
    w->MN03_Click();
    w->MN04_Click();
    EXPECT_EQ(ui->messageTexts(), QStringList(2, QStringLiteral("无记录可删除")));
    ui->clear();

    // The totals row of a report with sums makes the last record current
    // (its fields published) but holds no record to modify or delete.
    pick(*w, QStringLiteral("生产部一班工资"));
    const int records = w->renderer().RecordCount();
    ASSERT_EQ(w->F1Book1->LastRow(), records + 1);
    lib.CurrentMemberId.clear();
    w->F1Book1_Click(records + 1, 2);
    EXPECT_EQ(lib.CurrentRow, records + 1);
    EXPECT_EQ(w->dataRecordset().AbsolutePosition(), records - 1);
    EXPECT_EQ(lib.CurrentMemberId, w->dataRecordset().Value(QStringLiteral("memberid")).toString());
    EXPECT_FALSE(lib.CurrentMemberId.isEmpty());
    onEntryWindow([](frmRSLR&) {});
    w->MN03_Click();
    EXPECT_EQ(shown(), QString());
    EXPECT_EQ(ui->messageTexts(), QStringList{QStringLiteral("无记录可删除")});
    ui->clear();

    // A template sheet neither.
    pick(*w, QStringLiteral("工资条"));
    ASSERT_TRUE(w->renderer().IsTemplateSheet());
    w->F1Book1_Click(3, 2);
    w->MN04_Click();
    EXPECT_EQ(ui->messageTexts(), QStringList{QStringLiteral("无记录可删除")});
}

TEST_P(RecordCommandsTest, AClickPublishesTheCellAndItsRecord) {
    SuiteLib& lib = SuiteLib::instance();
    auto w = opened(QStringLiteral("人事档案"));
    const F1Book& sheet = *w->F1Book1;
    w->F1Book1_Click(3, 2);
    EXPECT_EQ(lib.CurrentRow, 3);
    EXPECT_EQ(lib.CurrentCol, 2);
    EXPECT_EQ(lib.CurrentMemberId, sheet.CellText(3, 1));
    EXPECT_EQ(lib.CurrentMemberName, sheet.CellText(3, 2));
    EXPECT_EQ(lib.CurrentCardNo.size(), 19);
    // A row heading publishes the row alone.
    w->F1Book1_Click(5, 0);
    EXPECT_EQ(lib.CurrentRow, 5);
    EXPECT_EQ(lib.CurrentCol, 2);
    // Moving the selection publishes its cell as a click does.
    w->F1Book1->SetSelection(6, 3, 6, 3);
    w->F1Book1_SelChange();
    EXPECT_EQ(lib.CurrentRow, 6);
    EXPECT_EQ(lib.CurrentCol, 3);
    EXPECT_EQ(lib.CurrentMemberId, sheet.CellText(6, 1));
    w.reset();

    w = opened(QStringLiteral("考勤管理"));
    w->F1Book1_Click(1, 1);
    EXPECT_EQ(lib.CurrentRecordDate, w->F1Book1->CellText(1, 1));
    w.reset();
    w = opened(QStringLiteral("工资管理"));
    w->F1Book1_Click(2, 3);
    EXPECT_EQ(lib.CurrentYear, QStringLiteral("2026"));
    EXPECT_FALSE(lib.CurrentMonth.isEmpty());
    EXPECT_EQ(ui->messageTexts(), QStringList());
}

TEST_P(RecordCommandsTest, AnExternalEntryModuleTakesAllThreeCommands) {
    SuiteLib& lib = SuiteLib::instance();
    auto w = opened(QStringLiteral("工资管理"));
    writeSetting(QStringLiteral("ADDDLL-工资管理"), QStringLiteral("WAIBU"));
    w->F1Book1_Click(2, 2);
    const QString member = lib.CurrentMemberId;
    ASSERT_FALSE(member.isEmpty());
    onEntryWindow([](frmRSLR&) {});
    w->MN03_Click();
    EXPECT_EQ(shown(), QString());
    EXPECT_EQ(ui->messageTexts(), QStringList{QStringLiteral("WAIBU.dll未注册！")});
    EXPECT_EQ(lib.CommandName, QStringLiteral("修改"));

    QStringList calls;
    ComRegistry::instance().registerFactory(
        QStringLiteral("WAIBU.clszh"), [&calls] { return std::make_shared<EntryModule>(calls); });
    w->MN03_Click();
    w->MN04_Click();
    EXPECT_EQ(lib.CurrentMemberId, member) << "kept for modify and delete";
    w->MN02_Click();
    EXPECT_EQ(lib.CurrentMemberId, QString()) << "cleared for an add";
    EXPECT_EQ(calls, (QStringList{QStringLiteral("修改"), QStringLiteral("删除"),
                                  QStringLiteral("添加")}));
    EXPECT_EQ(ui->messageTexts().size(), 1);
}

TEST_P(RecordCommandsTest, ModifyOpensTheEntryWindowOnTheClickedRecord) {
    SuiteLib& lib = SuiteLib::instance();
    auto w = opened(QStringLiteral("人事档案"));
    w->F1Book1_Click(4, 1);
    const QString member = w->F1Book1->CellText(4, 1);
    const int activations = w->activations();
    QString title;
    QString first;
    onEntryWindow([&](frmRSLR& entry) {
        title = entry.windowTitle();
        first = entry.F1Book1->CellText(1, 2);
        entry.F1Book1->SetCellText(entry.entry().rowOf(QStringLiteral("xl")), 2,
                                   QStringLiteral("'研究生"));
        entry.Command1_Click();
        EXPECT_EQ(entry.status(), QStringLiteral("修改完成！"));
    });
    w->MN03_Click();
    EXPECT_EQ(shown(), QStringLiteral("frmRSLR"));
    EXPECT_EQ(title, QStringLiteral("修改记录"));
    EXPECT_EQ(first, member);
    EXPECT_EQ(lib.CommandName, QString());
    EXPECT_EQ(w->activations(), activations + 1) << "the sheet is run again";
    EXPECT_EQ(ygzl(QStringLiteral("where xl='研究生' and memberid='") + member + u'\''), 1);
    EXPECT_EQ(ui->messageTexts(), QStringList());
}

TEST_P(RecordCommandsTest, DeleteThroughTheEntryWindow) {
    SuiteLib& lib = SuiteLib::instance();
    auto w = opened(QStringLiteral("人事档案"));
    const int records = w->renderer().RecordCount();
    w->F1Book1_Click(2, 2);
    const QString member = w->F1Book1->CellText(2, 1);
    onEntryWindow([](frmRSLR& entry) { entry.Command1_Click(); });
    w->Toolbar1_ButtonClick(7);
    EXPECT_EQ(shown(), QStringLiteral("frmRSLR"));
    EXPECT_EQ(ygzl(QStringLiteral("where memberid='") + member + u'\''), 0);
    EXPECT_EQ(lib.CurrentRow, 1);
    EXPECT_EQ(w->renderer().RecordCount(), records - 1);

    // Add through button 5 opens the window empty.
    QString title;
    onEntryWindow([&title](frmRSLR& entry) { title = entry.windowTitle(); });
    w->Toolbar1_ButtonClick(5);
    EXPECT_EQ(title, QStringLiteral("添加记录"));
    EXPECT_EQ(ui->messageTexts(), QStringList());
}

QUILL_INSTANTIATE_ENGINES(RecordCommandsTest);

} // namespace
