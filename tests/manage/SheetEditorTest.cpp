#include "SheetEditFixture.h"

#include "platform/db/Connection.h"
#include "platform/grid/F1Book.h"
#include "platform/grid/WorkbookReader.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/SheetEditor.h"
#include "windows/manage/frmRSGL.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

namespace quill::test {

namespace {

using SheetEditorTest = SheetEditFixture;

TEST_P(SheetEditorTest, BothCommandsRefuseWhatTheyCannotDo) {
    SuiteLib& lib = SuiteLib::instance();
    open(QStringLiteral("工资管理"));
    save();
    edit();
    choose(1);
    lib.AuditFlag = QStringLiteral("是");
    edit();
    lib.AuditFlag.clear();
    pick(*w, QStringLiteral("工资条"));
    ASSERT_TRUE(w->renderer().IsTemplateSheet());
    choose(1);
    edit();
    save();
    EXPECT_EQ(ui->messageTexts(),
              (QStringList{QStringLiteral("没有编辑，无须保存"), QStringLiteral("没有记录可以编辑"),
                           QStringLiteral("该期数据已审核"), QStringLiteral("特殊模版，不可编辑"),
                           QStringLiteral("特殊模版，不可保存")}));
    EXPECT_FALSE(editing());
    EXPECT_FALSE(w->F1Book1->AllowCellEditing());
    EXPECT_TRUE(files(QStringLiteral("work/log")).isEmpty());
}

// Employees: the check stops at the first bad cell, column by column; No
// writes nothing; Yes writes the typed texts as they are, quotes and ";"
// included, between a backup and a log copy of the sheet.
TEST_P(SheetEditorTest, ChecksAsksThenWritesTheTypedTexts) {
    exec(QStringLiteral("update zdb1 set proval2='4' where proval='xl' and proval1='S'"));
    SuiteLib::instance().ExtraFilter = QStringLiteral("性别='男'");
    SuiteLib::instance().ReadOnlyColumns2 = QStringLiteral("卡号,照片");
    open(QStringLiteral("人事档案"));
    const int name = column(QStringLiteral("姓名"));
    const int degree = column(QStringLiteral("学历"));
    const int born = column(QStringLiteral("出生日期"));
    const QString member = cell(3, 1);
    const QString before = employee(QStringLiteral("name"), member);
    choose(1);
    edit();
    const QStringList backups = files(QStringLiteral("work/log"));
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^管理员\\d{4}-\\d{6}\\.xls$"))
                    .match(backups.first())
                    .hasMatch())
        << backups.first().toStdString();
    const QDir backupFolder(SuiteLib::instance().WorkFolder + QStringLiteral("/log"));
    EXPECT_EQ(WorkbookReader::read(backupFolder.filePath(backups.first())).text(2, name - 1),
              cell(3, name));

    EXPECT_FALSE(type(2, 1, QStringLiteral("X1"))) << "the number that identifies the row";
    EXPECT_FALSE(type(2, column(QStringLiteral("性别")), QStringLiteral("女"))) << "extra filter";
    EXPECT_FALSE(type(2, column(QStringLiteral("卡号")), QStringLiteral("1"))) << "read-only";
    EXPECT_FALSE(type(w->F1Book1->LastRow(), name, QStringLiteral("合计"))) << "totals row";
    ASSERT_TRUE(type(3, name, QStringLiteral("O'B;--x")));
    ASSERT_TRUE(type(2, degree, QStringLiteral("中文字")));
    ASSERT_TRUE(type(4, born, QStringLiteral("2026-13-01")));
    const struct {
        int row;
        int col;
        QString fixed;
        QString message;
    } refusals[] = {{4, born, QStringLiteral("1990-02-03"), QStringLiteral("日期格式不对")},
                    {2, degree, QStringLiteral("大专"), QStringLiteral("中文字长度过长")}};
    for (const auto& refused : refusals) {
        ui->clear();
        save();
        EXPECT_EQ(ui->messageTexts(), QStringList{refused.message});
        EXPECT_EQ(w->F1Book1->SelRow(), refused.row);
        EXPECT_EQ(w->F1Book1->SelCol(), refused.col);
        EXPECT_EQ(employee(QStringLiteral("name"), member), before);
        ASSERT_TRUE(type(refused.row, refused.col, refused.fixed));
    }

    ui->clear();
    ui->answer(MsgResult::No);
    save();
    EXPECT_EQ(ui->messages(), (Messages{{"是否真的保存？", MsgButtons::YesNo, "系统提示"}}));
    EXPECT_EQ(employee(QStringLiteral("name"), member), before);
    EXPECT_TRUE(editing());
    EXPECT_TRUE(type(5, name, QStringLiteral("周五"))) << "typing stays on";

    // Cleared with Delete over a selection, a cell that may not be typed
    // is not written either.
    const QString sex = employee(QStringLiteral("sex"), member);
    w->F1Book1->SetCellText(3, column(QStringLiteral("性别")), QString());
    ui->clear();
    save();
    EXPECT_EQ(ui->messageTexts(),
              (QStringList{QStringLiteral("是否真的保存？"), QStringLiteral("保存完毕")}));
    EXPECT_EQ(employee(QStringLiteral("sex"), member), sex);
    EXPECT_EQ(employee(QStringLiteral("name"), member), QStringLiteral("O'B;--x"));
    EXPECT_EQ(employee(QStringLiteral("xl"), cell(2, 1)), QStringLiteral("大专"));
    EXPECT_EQ(employee(QStringLiteral("cast(birthday as text)"), cell(4, 1)),
              QStringLiteral("1990-02-03"));
    EXPECT_EQ(employee(QStringLiteral("name"), cell(5, 1)), QStringLiteral("周五"));
    EXPECT_FALSE(editing());
    EXPECT_FALSE(w->F1Book1->AllowCellEditing());

    const QStringList logs = files(QStringLiteral("home/Log"));
    ASSERT_EQ(logs.size(), 1);
    const Sheet log =
        WorkbookReader::read(workspace() + QStringLiteral("/home/Log/") + logs.first());
    EXPECT_EQ(log.text(2, name - 1), QStringLiteral("O'B;--x"));
    EXPECT_EQ(log.text(1, degree - 1), QStringLiteral("大专"));
}

// Pay: a cell nobody typed keeps its stored value exactly, whatever the
// sheet shows for it; typed entries stay texts; a cleared date is no date.
TEST_P(SheetEditorTest, WritesOnlyWhatWasTyped) {
    const QString period = SuiteLib::instance().CurrentPeriod;
    if (isPg())
        exec(QStringLiteral("alter table GZB alter column jxjj type numeric(14,5)"));
    exec(QStringLiteral("update GZB set jxjj=3.14159, ffrq='2026-03-05' where zhtime='%1'")
             .arg(period));
    open(QStringLiteral("工资管理"));
    const int bonus = column(QStringLiteral("绩效奖金"));
    ASSERT_EQ(cell(2, bonus), QStringLiteral("3.14"));
    choose(1);
    edit();
    ASSERT_TRUE(type(2, column(QStringLiteral("岗位津贴")), QStringLiteral("12.5")));
    ASSERT_TRUE(type(2, column(QStringLiteral("姓名")), QStringLiteral("007")));
    ASSERT_TRUE(type(3, column(QStringLiteral("发放日期")), QString()));
    ASSERT_TRUE(type(3, column(QStringLiteral("出勤天数")), QStringLiteral("21.6")));
    save();
    EXPECT_EQ(lastMessage(), QStringLiteral("保存完毕"));
    EXPECT_EQ(pay(QStringLiteral("jxjj"), 2), QStringLiteral("3.14159"));
    EXPECT_EQ(pay(QStringLiteral("gwjt"), 2).toDouble(), 12.5);
    EXPECT_EQ(pay(QStringLiteral("name"), 2), QStringLiteral("007"));
    EXPECT_EQ(w->F1Book1->CellEntry(2, column(QStringLiteral("姓名"))), QStringLiteral("'007"));
    EXPECT_EQ(pay(QStringLiteral("ffrq"), 3), QStringLiteral("<null>"));
    EXPECT_EQ(pay(QStringLiteral("cqts"), 3), QStringLiteral("22"));
    EXPECT_EQ(pay(QStringLiteral("ffrq"), 2), QStringLiteral("2026-03-05"));
    EXPECT_EQ(pay(QStringLiteral("jxjj"), 3), QStringLiteral("3.14159"));
}

// The copies are written behind the commands: the save is done, and says
// so, before its log is; a log that cannot be written is shown when it is
// done, once; the backup is complete.
TEST_P(SheetEditorTest, CopiesAreWrittenBehindTheCommands) {
    open(QStringLiteral("工资管理"));
    // A file where the log folder belongs.
    QFile inTheWay(SuiteLib::instance().HomeFolder + QStringLiteral("/Log"));
    ASSERT_TRUE(QDir(inTheWay.fileName()).removeRecursively());
    ASSERT_TRUE(inTheWay.open(QIODevice::WriteOnly));
    inTheWay.close();
    const int allowance = column(QStringLiteral("岗位津贴"));
    const QString shown = cell(2, allowance);
    choose(1);
    edit();
    ASSERT_TRUE(type(2, allowance, QStringLiteral("321")));
    ui->clear();
    save();
    EXPECT_EQ(ui->messageTexts(),
              (QStringList{QStringLiteral("是否真的保存？"), QStringLiteral("保存完毕")}));
    EXPECT_EQ(pay(QStringLiteral("gwjt"), 2).toDouble(), 321.0);
    QDeadlineTimer patience(30000);
    while (ui->messages().size() < 3 && !patience.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const QStringList backups = files(QStringLiteral("work/log"));
    ASSERT_EQ(ui->messages().size(), 3);
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("文件未能写入：")))
        << lastMessage().toStdString();
    ASSERT_EQ(backups.size(), 1);
    const QDir backupFolder(SuiteLib::instance().WorkFolder + QStringLiteral("/log"));
    EXPECT_EQ(WorkbookReader::read(backupFolder.filePath(backups.first())).text(1, allowance - 1),
              shown);
}

// A failure at the k-th written row (a constraint of the table) and a row
// another user changed after the render both leave every record as it was,
// the sheet in editing with the edits and the row named and selected.
TEST_P(SheetEditorTest, AFailingRowWritesNothing) {
    const QString period = SuiteLib::instance().CurrentPeriod;
    exec(isPg() ? QStringLiteral("alter table GZB add constraint gwjt_limit check (gwjt <> 999)")
                : QStringLiteral("create trigger gwjt_limit before update on GZB when "
                                 "new.gwjt = 999 begin select raise(abort, 'gwjt 999'); end"));
    open(QStringLiteral("工资管理"));
    const int allowance = column(QStringLiteral("岗位津贴"));
    const QString sum =
        QStringLiteral("select cast(sum(gwjt) as text) from GZB where zhtime='%1'").arg(period);
    const QString total = queryText(sum);
    choose(1);
    edit();
    for (int r = 1; r <= 5; ++r)
        ASSERT_TRUE(type(r, allowance, r == 4 ? QStringLiteral("999") : QString::number(100 + r)));
    save();
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("第4行未能保存：")))
        << lastMessage().toStdString();
    EXPECT_EQ(queryText(sum), total);
    EXPECT_TRUE(editing());
    EXPECT_EQ(w->F1Book1->SelRow(), 4);
    EXPECT_EQ(cell(1, allowance), QStringLiteral("101"));
    EXPECT_EQ(cell(4, allowance), QStringLiteral("999"));
    // Mended, the same edits save: the rows rolled back are written again.
    ASSERT_TRUE(type(4, allowance, QStringLiteral("104")));
    save();
    EXPECT_EQ(lastMessage(), QStringLiteral("保存完毕"));
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(pay(QStringLiteral("gwjt"), r).toDouble(), 100 + r) << r;
    const QString saved = queryText(sum);

    // Another user changes row 3's record.
    open(QStringLiteral("工资管理"));
    choose(1);
    edit();
    for (int r : {1, 3, 5})
        ASSERT_TRUE(type(r, allowance, QString::number(200 + r)));
    const QString third = cell(3, column(QStringLiteral("工号")));
    secondConnection()->Execute(
        QStringLiteral("update GZB set kk=7 where zhtime='%1' and memberid='%2'")
            .arg(period, third));
    ui->clear();
    save();
    const QString conflict =
        QStringLiteral("第3行未能保存：记录已被其他用户修改或删除\n本次修改全部没有写入。");
    EXPECT_EQ(lastMessage(), conflict);
    EXPECT_EQ(queryText(sum), saved);
    EXPECT_EQ(pay(QStringLiteral("kk"), 3).toDouble(), 7.0);
    EXPECT_TRUE(editing());
    EXPECT_EQ(w->F1Book1->SelRow(), 3);
    // Saving again still refuses row 3, and only row 3.
    ui->clear();
    save();
    EXPECT_EQ(lastMessage(), conflict);
    EXPECT_EQ(queryText(sum), saved);
}

// Attendance: the totals row under a date column is neither typed, checked
// nor written; cleared and fractional times.
TEST_P(SheetEditorTest, TheTotalsRowIsNoRecord) {
    open(QStringLiteral("考勤管理"));
    const int records = w->renderer().RecordCount();
    ASSERT_GT(records, 3);
    ASSERT_EQ(w->F1Book1->LastRow(), records + 1);
    ASSERT_EQ(cell(records + 1, 1), QStringLiteral("合计："));
    const int hours = column(QStringLiteral("工时"));
    const int start = column(QStringLiteral("上班时间"));
    const auto attendance = [&](const QString& field, int row) {
        return queryText(QStringLiteral("select cast(%1 as text) from KQB where zhdate='%2' and "
                                        "memberid='%3'")
                             .arg(field, cell(row, 1), cell(row, column(QStringLiteral("工号")))));
    };
    choose(1);
    edit();
    EXPECT_FALSE(type(records + 1, hours, QStringLiteral("5")));
    ASSERT_TRUE(type(1, hours, QStringLiteral("7.5")));
    ASSERT_TRUE(type(2, start, QString()));
    ASSERT_TRUE(type(3, start, QStringLiteral("0.5")));
    save();
    EXPECT_EQ(lastMessage(), QStringLiteral("保存完毕"));
    EXPECT_EQ(attendance(QStringLiteral("gs"), 1).toDouble(), 7.5);
    EXPECT_EQ(attendance(QStringLiteral("sbsj"), 2), QStringLiteral("<null>"));
    EXPECT_EQ(attendance(QStringLiteral("sbsj"), 3), QStringLiteral("12:00:00"));
}

// Employees: an edited row whose first cell does not name its record is not
// written, and neither is any other.
TEST_P(SheetEditorTest, AnEmployeeRowIsWrittenOnlyUnderItsNumber) {
    open(QStringLiteral("人事档案"));
    const int name = column(QStringLiteral("姓名"));
    const QString second = cell(2, 1);
    const QString fourth = cell(4, 1);
    const QString secondName = employee(QStringLiteral("name"), second);
    const QString fourthName = employee(QStringLiteral("name"), fourth);
    choose(1);
    edit();
    w->F1Book1->SetCellText(2, 1, QStringLiteral("'X999"));
    ASSERT_TRUE(type(2, name, QStringLiteral("新名")));
    ASSERT_TRUE(type(4, name, QStringLiteral("另名")));
    save();
    EXPECT_EQ(lastMessage(),
              QStringLiteral("第2行未能保存：第1列不是该记录的工号\n本次修改全部没有写入。"));
    EXPECT_EQ(employee(QStringLiteral("name"), second), secondName);
    EXPECT_EQ(employee(QStringLiteral("name"), fourth), fourthName);
}

TEST_P(SheetEditorTest, WidthsAreStoredAndReadByTheNextRender) {
    SuiteLib& lib = SuiteLib::instance();
    open(QStringLiteral("工资管理"));
    const int name = column(QStringLiteral("姓名"));
    w->F1Book1->SetSelection(1, name, 1, name);
    w->F1Book1->SetColWidthOf(name, 5000);
    emit w->F1Book1->ColWidthChange();
    const auto stored = [&lib](const QString& key) {
        return lib.ReadSetting(QStringLiteral("COLUMN"), key, lib.settingsPath());
    };
    EXPECT_EQ(stored(QStringLiteral("GZB-OK")), QStringLiteral("OK"));
    EXPECT_EQ(stored(QStringLiteral("GZB-name")), QStringLiteral("5000"));
    EXPECT_EQ(stored(QStringLiteral("GZB-memberid")),
              QString::number(w->F1Book1->ColWidthOf(column(QStringLiteral("工号")))));
    w->Form_Activate();
    EXPECT_EQ(w->F1Book1->ColWidthOf(name), 5000);
}

// Employees are edited in the grid only on a sheet that starts with the
// employee number, judged on the sheet shown after each run.
TEST_P(SheetEditorTest, EmployeeEditingFollowsTheSheetShown) {
    SuiteLib& lib = SuiteLib::instance();
    open(QStringLiteral("人事档案"));
    EXPECT_TRUE(w->MN05->isEnabled());
    EXPECT_TRUE(w->MN06->isEnabled());
    EXPECT_TRUE(w->toolbarButton(8)->isVisible());
    lib.SqlSelect = QStringLiteral("select name, memberid ");
    w->Form_Activate();
    ASSERT_EQ(w->F1Book1->ColHeading(1), QStringLiteral("姓名"));
    EXPECT_FALSE(w->MN05->isEnabled());
    EXPECT_FALSE(w->MN06->isEnabled());
    EXPECT_TRUE(w->MN04->isEnabled());
    EXPECT_FALSE(w->toolbarButton(8)->isVisible());
    EXPECT_FALSE(w->toolbarButton(9)->isVisible());
    EXPECT_EQ(ui->messageTexts(), QStringList());
    lib.SqlSelect = QStringLiteral("select memberid, name ");
    w->Form_Activate();
    EXPECT_TRUE(w->MN05->isEnabled());
    EXPECT_TRUE(w->MN06->isEnabled());
}

// While edits are unsaved, an activation keeps the sheet; a report click and
// closing the window ask first, and Cancel keeps the sheet.
TEST_P(SheetEditorTest, UnsavedEditsAreNotThrownAway) {
    open(QStringLiteral("工资管理"));
    const int allowance = column(QStringLiteral("岗位津贴"));
    const QString shown = cell(2, allowance);
    choose(1);
    w->Toolbar1_ButtonClick(8);
    ASSERT_TRUE(editing());
    ASSERT_TRUE(type(2, allowance, QStringLiteral("321")));

    QTimer::singleShot(0, [] {
        if (QWidget* about = QApplication::activeModalWidget())
            about->close();
    });
    w->MN11_Click();
    EXPECT_EQ(cell(2, allowance), QStringLiteral("321")) << "the sheet was rendered again";
    EXPECT_TRUE(editing());
    EXPECT_EQ(ui->messageTexts(), QStringList());

    const QString question = QStringLiteral("资料已变动,真的放弃保存?");
    ui->answer(MsgResult::Cancel);
    pick(*w, QStringLiteral("工资明细表"));
    EXPECT_EQ(ui->messages(), (Messages{{question, MsgButtons::OkCancel, "系统提示"}}));
    EXPECT_EQ(cell(2, allowance), QStringLiteral("321"));
    EXPECT_TRUE(editing());

    ui->answer(MsgResult::Cancel);
    w->MN12_Click();
    EXPECT_FALSE(w->isUnloaded());
    EXPECT_EQ(ui->messageTexts(), QStringList(2, question));
    EXPECT_EQ(cell(2, allowance), QStringLiteral("321"));

    // Saved through the toolbar, nothing is asked any more.
    w->Toolbar1_ButtonClick(9);
    EXPECT_EQ(lastMessage(), QStringLiteral("保存完毕"));
    EXPECT_EQ(pay(QStringLiteral("gwjt"), 2).toDouble(), 321.0);
    EXPECT_NE(shown, QStringLiteral("321"));
    ui->clear();
    w->MN12_Click();
    EXPECT_TRUE(w->isUnloaded());
    EXPECT_EQ(ui->messageTexts(), QStringList());
}

// OK to the question drops the edits: the report is shown, the window closes.
TEST_P(SheetEditorTest, OkToTheQuestionDropsTheEdits) {
    open(QStringLiteral("工资管理"));
    const int allowance = column(QStringLiteral("岗位津贴"));
    choose(1);
    edit();
    ASSERT_TRUE(type(2, allowance, QStringLiteral("321")));
    pick(*w, QStringLiteral("工资明细表"));
    EXPECT_EQ(ui->messageTexts(), QStringList{QStringLiteral("资料已变动,真的放弃保存?")});
    EXPECT_FALSE(editing());
    EXPECT_FALSE(w->F1Book1->AllowCellEditing());
    EXPECT_NE(cell(2, column(QStringLiteral("岗位津贴"))), QStringLiteral("321"));
    choose(1);
    edit();
    ASSERT_TRUE(type(1, column(QStringLiteral("岗位津贴")), QStringLiteral("322")));
    ui->clear();
    w->MN12_Click();
    EXPECT_EQ(ui->messageTexts(), QStringList{QStringLiteral("资料已变动,真的放弃保存?")});
    EXPECT_TRUE(w->isUnloaded());
}

QUILL_INSTANTIATE_ENGINES(SheetEditorTest);

} // namespace

} // namespace quill::test
