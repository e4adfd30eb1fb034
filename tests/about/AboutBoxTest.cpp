#include "ModalSteps.h"
#include "WindowFixture.h"

#include "suite/AdminPassword.h"
#include "suite/SettingsFile.h"
#include "suite/SuiteLib.h"
#include "windows/about/frmAbout.h"
#include "windows/dialogs/frmYBXZ.h"
#include "windows/manage/frmRSGL.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gmock/gmock.h>

using namespace quill;
using namespace quill::test;
using testing::ElementsAre;

namespace {

const QString Password = QStringLiteral("Quill管理2026");
const QString Prompt = QStringLiteral("请输入管理员密码：");
const QString SetupName = QStringLiteral("frmYBXZ");

QByteArray settingsBytes() {
    QFile f(SuiteLib::instance().settingsPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString storedAdmin() {
    return SettingsFile(SuiteLib::instance().settingsPath())
        .value(AdminPassword::Section, AdminPassword::Key);
}

// Double clicks the item of that text.
void doubleClick(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->setCurrentItem(found.front());
    emit list->itemDoubleClicked(found.front());
}

} // namespace

// The About box of the demo workspace's 工资管理 and its advanced button.
class AboutBoxTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        if (IsSkipped())
            return;
        SuiteLib::instance().ModuleTitle = QStringLiteral("工资管理");
    }
};

QUILL_INSTANTIATE_ENGINES(AboutBoxTest);

// Without a stored password the button says so, asks nothing, opens nothing.
TEST_P(AboutBoxTest, WithoutAPasswordNothingOpens) {
    writeSetting(QStringLiteral("ADMIN"), QString());
    frmAbout about;
    about.show();
    ModalSteps steps(&about);
    about.Command2->click();
    EXPECT_THAT(ui->messageTexts(), ElementsAre("尚未设置管理员密码"));
    EXPECT_TRUE(ui->inputs().isEmpty());
    EXPECT_TRUE(steps.seen().isEmpty());
}

// A wrong or cancelled entry opens nothing; only a wrong one is refused
// with a message. The prompt hides what is typed.
TEST_P(AboutBoxTest, AWrongPasswordOpensNothing) {
    AdminPassword::set(Password);
    const QByteArray before = settingsBytes();
    frmAbout about;
    about.show();
    ModalSteps steps(&about);
    for (const QString& wrong : {QStringLiteral("quill管理2026"), QStringLiteral("Quill管理202"),
                                 QStringLiteral("Quill管理20266"), QStringLiteral(" ")}) {
        SCOPED_TRACE(wrong.toStdString());
        ui->clear();
        ui->answerInput(wrong);
        about.Command2->click();
        ASSERT_EQ(ui->inputs().size(), 1);
        EXPECT_EQ(ui->inputs()[0].prompt, Prompt);
        EXPECT_EQ(ui->inputs()[0].echo, InputEcho::Hidden);
        EXPECT_THAT(ui->messageTexts(), ElementsAre("密码错误"));
    }
    ui->clear();
    about.Command2->click(); // the input box cancelled
    EXPECT_EQ(ui->inputs().size(), 1);
    EXPECT_TRUE(ui->messages().isEmpty());
    EXPECT_TRUE(steps.seen().isEmpty()) << steps.seen().join(u',').toStdString();
    EXPECT_EQ(settingsBytes(), before);
}

// The right password opens the set-up dialog modally over the About box, at
// every entry; closing the dialog by the title bar writes nothing. The file
// never holds the password itself: one stored in the older plain form is
// hashed at its first right entry.
TEST_P(AboutBoxTest, TheRightPasswordOpensTheSetupDialog) {
    enum Stored { Demo, Set, Plain };
    struct Case {
        const char* what;
        Stored stored;
        QString entered;
    };
    // The demo workspace's own password is the one its README names.
    for (const Case& c :
         {Case{"the demo's", Demo, QStringLiteral("quill-admin")}, Case{"set", Set, Password},
          Case{"plain", Plain, QStringLiteral("plain-admin")}}) {
        SCOPED_TRACE(c.what);
        if (c.stored == Set)
            AdminPassword::set(c.entered);
        if (c.stored == Plain)
            writeSetting(QStringLiteral("ADMIN"), c.entered);
        const QByteArray before = settingsBytes();
        ui->clear();
        frmAbout about;
        about.show();
        QList<QWidget*> parents;
        const auto edit = [&parents](QWidget* setup) {
            parents << setup->parentWidget();
            static_cast<frmYBXZ*>(setup)->Text4->setText(QStringLiteral("改了"));
            setup->close();
        };
        ModalSteps steps(&about);
        steps.then(SetupName, edit).then(SetupName, edit);
        for (int i = 0; i < 2; ++i) {
            ui->answerInput(c.entered);
            about.Command2->click();
        }
        EXPECT_TRUE(steps.done());
        EXPECT_THAT(steps.seen(), ElementsAre(SetupName, SetupName));
        EXPECT_THAT(parents, ElementsAre(&about, &about));
        EXPECT_TRUE(ui->messages().isEmpty()) << ui->messageTexts().join(u'|').toStdString();
        EXPECT_TRUE(AdminPassword::isHashed(storedAdmin()));
        EXPECT_FALSE(settingsBytes().contains(c.entered.toUtf8()));
        if (c.stored != Plain) {
            EXPECT_EQ(settingsBytes(), before);
        }
    }
}

// From the running main window: About, the advanced button, the set-up
// dialog's OK, About closed. The main window's next activation withholds
// exactly the commands written, shows the plug-in buttons written and reads
// blank-for-zero; the text export switch is stored for the export.
TEST_P(AboutBoxTest, MainWindowTakesTheNewSettingsWhenTheAboutBoxHasClosed) {
    AdminPassword::set(Password);
    auto w = load(QStringLiteral("工资管理"));
    show(*w);
    ASSERT_EQ(w->activations(), 1);
    ASSERT_TRUE(w->MN02->isEnabled());
    ASSERT_TRUE(w->MN07->isEnabled());
    ASSERT_FALSE(w->blankForZero());
    ASSERT_EQ(w->toolbarButton(2)->text(), QStringLiteral("考勤"));

    ui->answerInput(Password);
    int activationsWhileOpen = -1;
    ModalSteps steps(w.get());
    steps
        .then(QStringLiteral("frmAbout"),
              [](QWidget* about) { ModalSteps::click(static_cast<frmAbout*>(about)->Command2); })
        .then(SetupName,
              [&](QWidget* window) {
                  auto* setup = static_cast<frmYBXZ*>(window);
                  doubleClick(setup->List4, QStringLiteral("预览"));
                  doubleClick(setup->List4, QStringLiteral("添加"));
                  setup->Text4->setText(QStringLiteral("新考勤"));
                  setup->Combo1->setEditText(QStringLiteral("人事档案"));
                  setup->Text5->setText(QStringLiteral("不挂"));
                  setup->Combo2->setEditText(QStringLiteral("没有这个菜单"));
                  setup->Check2->setChecked(true);
                  setup->Check3->setChecked(true);
                  ModalSteps::click(setup->Command1);
              })
        .then(QStringLiteral("frmAbout"), [&](QWidget* about) {
            activationsWhileOpen = w->activations();
            about->close();
        });
    w->MN11_Click();
    ASSERT_TRUE(steps.done()) << steps.seen().join(u',').toStdString();
    EXPECT_THAT(steps.seen(), ElementsAre("frmAbout", SetupName, "frmAbout"));
    EXPECT_EQ(activationsWhileOpen, 1);
    EXPECT_EQ(w->activations(), 2);
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messageTexts().join(u'|').toStdString();

    const QString menu = w->titleSetting(QStringLiteral("MENU"));
    EXPECT_EQ(menu, QStringLiteral("预览添加"));
    // 图表 (MN10, button 13) is off for the current period's ungrouped query
    // whatever is withheld.
    for (int n = 1; n <= 12; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(w->commandItem(n)->isEnabled(), n != 2 && n != 7 && n != 10);
    }
    for (int p : {1, 6, 7, 8, 9, 11, 12, 14, 15})
        EXPECT_TRUE(w->toolbarButton(p)->isVisible()) << p;
    for (int p : {5, 10, 13})
        EXPECT_FALSE(w->toolbarButton(p)->isVisible()) << p;
    EXPECT_EQ(w->toolbarButton(2)->text(), QStringLiteral("新考勤"));
    EXPECT_TRUE(w->toolbarButton(2)->isVisible());
    EXPECT_EQ(w->toolbarButton(3)->text(), QStringLiteral("没挂"));
    EXPECT_FALSE(w->toolbarButton(3)->isVisible());
    EXPECT_EQ(w->toolbarButton(4)->text(), QStringLiteral("计算"));
    EXPECT_TRUE(w->blankForZero());
    EXPECT_EQ(w->titleSetting(QStringLiteral("TXT")), QStringLiteral("YES"));
    EXPECT_EQ(w->titleSetting(QStringLiteral("IF")), QStringLiteral("NO"));
}
