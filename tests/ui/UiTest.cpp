#include "platform/ui/ScriptedUi.h"

#include <gtest/gtest.h>

using namespace quill;

TEST(ScriptedUi, RecordsAndAnswersInOrder) {
    ScriptedUi ui;
    ui.answer(MsgResult::Cancel);
    EXPECT_EQ(MsgBox("资料已变动,真的放弃保存?", MsgButtons::OkCancel, "系统提示"),
              MsgResult::Cancel);
    EXPECT_EQ(MsgBox("第二条", MsgButtons::OkCancel), MsgResult::Ok);
    EXPECT_EQ(MsgBox("是否", MsgButtons::YesNo), MsgResult::Yes);
    ASSERT_EQ(ui.messages().size(), 3);
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("系统提示"));
    EXPECT_EQ(ui.messages()[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(ui.messageTexts()[1], QStringLiteral("第二条"));
}

TEST(ScriptedUi, SaveDialogAndProgramStarts) {
    ScriptedUi ui;
    EXPECT_TRUE(Ui::current().saveFileName("输出", "", "").isEmpty());
    ui.answerSave("/tmp/a.xlsx");
    EXPECT_EQ(Ui::current().saveFileName("输出", "", ""), QStringLiteral("/tmp/a.xlsx"));
    EXPECT_TRUE(Ui::current().startProgram("prog", {"-x"}));
    ui.failStarts(true);
    EXPECT_FALSE(Ui::current().startProgram("prog2", {}));
    ASSERT_EQ(ui.starts().size(), 2);
    EXPECT_EQ(ui.starts()[0].arguments, QStringList{"-x"});
}

TEST(ScriptedUi, UninstallsItself) {
    Ui* before = &Ui::current();
    {
        ScriptedUi ui;
        EXPECT_EQ(&Ui::current(), &ui);
    }
    EXPECT_EQ(&Ui::current(), before);
}
