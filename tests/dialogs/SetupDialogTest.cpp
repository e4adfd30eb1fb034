#include "RangeState.h"
#include "TestDatabase.h"
#include "TestSql.h"

#include "platform/db/Connection.h"
#include "suite/SettingsFile.h"
#include "suite/SuiteLib.h"
#include "windows/dialogs/ComponentSetup.h"
#include "windows/dialogs/frmYBXZ.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>

#include <gmock/gmock.h>

#include <memory>

using namespace quill;
using namespace quill::test;
using testing::ElementsAre;

namespace {

const QString Title = QStringLiteral("工资管理");

QStringList items(const QComboBox& box) {
    QStringList out;
    for (int i = 0; i < box.count(); ++i)
        out << box.itemText(i);
    return out;
}

QStringList items(const QListWidget& list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.item(i)->text();
    return out;
}

// The ten names without those given, in their fixed order.
QStringList namesWithout(const QStringList& taken) {
    QStringList out;
    for (const QString& name : ComponentSetup::commandNames()) {
        if (!taken.contains(name))
            out << name;
    }
    return out;
}

} // namespace

// The set-up dialog on the test's engine, over a SYS02 the test fills and a
// settings file of its own, for the module title 工资管理.
class SetupDialogTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        RangeState::clear();
        m_connection = std::make_shared<Connection>(db().config());
        SuiteLib& lib = SuiteLib::instance();
        lib.Connection = m_connection;
        lib.DatabaseKind = db().config().databaseKind;
        lib.ModuleTitle = Title;
        lib.SettingsFolder = db().folder() + QStringLiteral("/home");
        lib.SettingsFileName = QStringLiteral("quill.ini");
    }
    void TearDown() override {
        RangeState::clear();
        m_connection.reset();
        EngineTest::TearDown();
    }

    // SYS02 with entries inserted out of cdxh order.
    void menus() {
        execSql(*m_connection, QStringLiteral("create table SYS02 (cdmc varchar(40), cdtb "
                                              "varchar(40), cdxh integer, zxtm varchar(40), "
                                              "mkwj varchar(40))"));
        for (const auto& [caption, order] :
             {std::pair{"工资计算", 3}, {"人事档案", 1}, {"考勤管理", 2}, {"工资管理", 10}})
            execSql(*m_connection, QStringLiteral("insert into SYS02 values ('%1', null, %2, "
                                                  "'*', 'X.DLL')")
                                       .arg(QString::fromUtf8(caption))
                                       .arg(order));
    }
    static void setting(const QString& suffix, const QString& value) {
        SuiteLib& lib = SuiteLib::instance();
        lib.WriteSetting(QStringLiteral("QUILL"), Title + suffix, value, lib.settingsPath());
    }
    static QString stored(const QString& suffix) {
        return SettingsFile(SuiteLib::instance().settingsPath())
            .value(QStringLiteral("QUILL"), Title + suffix);
    }
    static QByteArray fileBytes() {
        QFile f(SuiteLib::instance().settingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static std::unique_ptr<frmYBXZ> open() {
        auto w = std::make_unique<frmYBXZ>();
        w->show();
        return w;
    }

    std::shared_ptr<Connection> m_connection;
};

QUILL_INSTANTIATE_ENGINES(SetupDialogTest);

// Every box lists the SYS02 captions in cdxh order and shows the stored module rows; a typed entry
// needs no list item.
TEST_P(SetupDialogTest, LoadsTheModuleRows) {
    menus();
    setting(QStringLiteral("CAP1"), QStringLiteral("考勤"));
    setting(QStringLiteral("MENU1"), QStringLiteral("考勤管理"));
    setting(QStringLiteral("CAP3"), QStringLiteral("外部"));
    setting(QStringLiteral("MENU3"), QStringLiteral("不在清单"));
    const auto w = open();
    for (const QComboBox* box : {w->Combo1, w->Combo2, w->Combo3}) {
        EXPECT_THAT(items(*box), ElementsAre("人事档案", "考勤管理", "工资计算", "工资管理"));
        EXPECT_TRUE(box->isEditable());
    }
    EXPECT_EQ(w->Text4->text(), QStringLiteral("考勤"));
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("考勤管理"));
    EXPECT_EQ(w->Text5->text(), QString());
    EXPECT_EQ(w->Combo2->currentText(), QString());
    EXPECT_EQ(w->Text6->text(), QStringLiteral("外部"));
    EXPECT_EQ(w->Combo3->currentText(), QStringLiteral("不在清单"));
    EXPECT_EQ(w->StatusBar1->currentMessage(), QString());
    EXPECT_TRUE(RangeState::picture(*w, QStringLiteral("frmYBXZ")));
}

// A switch is ticked by exactly "YES"; each box reads its own key.
TEST_P(SetupDialogTest, SwitchesTickOnlyForExactlyYes) {
    menus();
    const QString keys[] = {QStringLiteral("IF"), QStringLiteral(" 0"), QStringLiteral("TXT")};
    for (const char* value : {"YES", "yes", "Yes", "NO", "", "YESS"}) {
        for (int on = 0; on < 3; ++on) {
            SCOPED_TRACE(value + (" in" + keys[on].toStdString()));
            for (int k = 0; k < 3; ++k)
                setting(keys[k], k == on ? QString::fromUtf8(value) : QStringLiteral("NO"));
            const auto w = open();
            const QCheckBox* boxes[] = {w->Check1, w->Check2, w->Check3};
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(boxes[k]->isChecked(), k == on && value == std::string("YES")) << k;
        }
    }
}

// List3 holds the names the stored value contains, in their fixed order,
// List4 the rest; other text in the value is dropped at the next OK.
TEST_P(SetupDialogTest, CommandListsFromTheStoredValue) {
    menus();
    struct Case {
        const char* stored;
        QStringList withheld;
        const char* written;
    };
    const QStringList all = ComponentSetup::commandNames();
    ASSERT_THAT(all, ElementsAre("查询", "添加", "修改", "删除", "编辑", "保存", "预览", "打印",
                                 "输出", "图表"));
    for (const Case& c : {
             Case{"添加删除", {"添加", "删除"}, "添加删除"},
             Case{"删除添加", {"添加", "删除"}, "添加删除"},
             Case{"关于删除xx退出添加 ", {"添加", "删除"}, "添加删除"},
             Case{"询添加", {"添加"}, "添加"},
             Case{"加删", {}, ""},
             Case{"", {}, ""},
             Case{"图表输出打印预览保存编辑删除修改添加查询", all,
                  "查询添加修改删除编辑保存预览打印输出图表"},
         }) {
        SCOPED_TRACE(c.stored);
        setting(QStringLiteral("MENU"), QString::fromUtf8(c.stored));
        const auto w = open();
        EXPECT_EQ(items(*w->List3), c.withheld);
        EXPECT_EQ(items(*w->List4), namesWithout(c.withheld));
        w->Command1->click();
        EXPECT_EQ(w->result(), QDialog::Accepted);
        EXPECT_EQ(stored(QStringLiteral("MENU")), QString::fromUtf8(c.written));
    }
}

// Double clicks move an item to the end of the other list; the order of
// List3 is the order written. Every item moved to List4 writes the empty text.
TEST_P(SetupDialogTest, DoubleClicksMoveItemsAndOkWritesTheirOrder) {
    menus();
    setting(QStringLiteral("MENU"), QStringLiteral("添加删除"));
    auto w = open();
    auto doubleClick = [](QListWidget* list, const QString& text) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found.front());
        emit list->itemDoubleClicked(found.front());
    };
    doubleClick(w->List4, QStringLiteral("图表"));
    doubleClick(w->List4, QStringLiteral("查询"));
    doubleClick(w->List3, QStringLiteral("添加"));
    doubleClick(w->List4, QStringLiteral("预览"));
    EXPECT_THAT(items(*w->List3), ElementsAre("删除", "图表", "查询", "预览"));
    EXPECT_THAT(items(*w->List4), ElementsAre("修改", "编辑", "保存", "打印", "输出", "添加"));
    w->Command1->click();
    EXPECT_EQ(stored(QStringLiteral("MENU")), QStringLiteral("删除图表查询预览"));

    w = open();
    EXPECT_THAT(items(*w->List3), ElementsAre("查询", "删除", "预览", "图表"));
    while (w->List3->count() > 0) {
        w->List3->setCurrentRow(0);
        w->List3_DblClick();
    }
    EXPECT_EQ(w->List4->count(), 10);
    EXPECT_THAT(items(*w->List4).mid(6), ElementsAre("查询", "删除", "预览", "图表"));
    w->Command1->click();
    EXPECT_TRUE(SettingsFile(SuiteLib::instance().settingsPath())
                    .contains(QStringLiteral("QUILL"), Title + QStringLiteral("MENU")));
    EXPECT_EQ(stored(QStringLiteral("MENU")), QString());
}

// OK writes every key from the boxes, unchecked and as typed, in this order:
// the command list, the three module rows, the three switches.
TEST_P(SetupDialogTest, OkWritesEveryKeyInOrder) {
    menus();
    auto w = open();
    w->Text4->setText(QStringLiteral("考勤"));
    w->Combo1->setCurrentIndex(1);
    w->Text5->setText(QString());
    w->Combo2->setEditText(QStringLiteral("没登记的模块"));
    w->Text6->setText(QStringLiteral("计算"));
    w->Combo3->setCurrentIndex(2);
    w->Check1->setChecked(true);
    w->Check3->setChecked(true);
    w->List4->setCurrentRow(3);
    w->List4_DblClick();
    w->Command1->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Accepted);

    const QStringList suffixes = {"MENU", "CAP1",  "MENU1", "CAP2", "MENU2",
                                  "CAP3", "MENU3", "IF",    " 0",   "TXT"};
    QStringList keys;
    for (const QString& s : suffixes)
        keys << Title + s;
    SettingsFile file(SuiteLib::instance().settingsPath());
    EXPECT_EQ(file.keys(QStringLiteral("QUILL")), keys);
    QStringList values;
    for (const QString& s : suffixes)
        values << stored(s);
    EXPECT_THAT(values, ElementsAre("删除", "考勤", "考勤管理", "", "没登记的模块", "计算",
                                    "工资计算", "YES", "NO", "YES"));
}

// Closed by the title bar: nothing is written, whatever was changed.
TEST_P(SetupDialogTest, ClosingWritesNothing) {
    menus();
    setting(QStringLiteral("MENU"), QStringLiteral("添加"));
    setting(QStringLiteral("CAP1"), QStringLiteral("考勤"));
    const QByteArray before = fileBytes();
    ASSERT_FALSE(before.isEmpty());
    const auto w = open();
    w->Text4->setText(QStringLiteral("别的"));
    w->Check2->setChecked(true);
    w->List3->setCurrentRow(0);
    w->List3_DblClick();
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_EQ(fileBytes(), before);
}

// Without a readable SYS02 the boxes are empty and the status bar gives the
// database's reason; typed entries are still written.
TEST_P(SetupDialogTest, UnreadableMenuTable) {
    const auto w = open();
    EXPECT_THAT(w->StatusBar1->currentMessage().toLower().toStdString(),
                testing::HasSubstr("sys02"));
    EXPECT_EQ(w->Combo1->count(), 0);
    w->Combo1->setEditText(QStringLiteral("人事档案"));
    w->Command1->click();
    EXPECT_EQ(stored(QStringLiteral("MENU1")), QStringLiteral("人事档案"));
}

// A settings file that cannot be written keeps the dialog open with the
// reason in its status bar.
TEST_P(SetupDialogTest, UnwritableSettings) {
    menus();
    QFile blocker(db().folder() + QStringLiteral("/blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SuiteLib::instance().SettingsFolder = blocker.fileName() + QStringLiteral("/home");
    const auto w = open();
    w->Command1->click();
    EXPECT_TRUE(w->isVisible());
    EXPECT_NE(w->StatusBar1->currentMessage(), QString());
}
