#include "DesignerFixture.h"

#include "foundation/Mdlx.h"
#include "foundation/ReportStore.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/designer/ConditionGrid.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStatusBar>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

// The report buttons of the designer on the demo's pay table, through the
// real window: checks in their order, the rows written, the list kept in
// step with them.
class ReportButtons : public DesignerFixture {
protected:
    void SetUp() override {
        DesignerFixture::SetUp();
        if (IsSkipped())
            return;
        openTable(QStringLiteral("工资管理"));
        w = designer();
        w->Option6->setChecked(true);
    }
    void TearDown() override {
        w.reset();
        DesignerFixture::TearDown();
    }

    // Display 工号, 姓名, 实发工资; sort 姓名; sum 实发工资; a condition on
    // a department and one on the pay.
    void compose() {
        ItemLists& lists = w->itemLists();
        lists.clear();
        lists.Display = QStringList{"工号", "姓名", "实发工资"};
        lists.Sort = QStringList{"姓名"};
        lists.Sum = QStringList{"实发工资"};
        w->conditionGrid().clear();
        fill(w->conditionGrid(), {"|部门|=|" + department(), "", "并且|实发工资|>|1000"});
    }
    static QString department() {
        Recordset rs;
        rs.Open(QStringLiteral("select proname from zdb3 where parid=0 order by proid"),
                *SuiteLib::instance().Connection);
        return rs.Value(0).toString();
    }
    void add(const QString& name) {
        w->Text1->setText(name);
        w->Command4_Click();
    }
    void select(const QString& name) { w->List6->setCurrentRow(texts(w->List6).indexOf(name)); }
    QString status() const { return w->StatusBar1->currentMessage(); }
    std::optional<ReportDefinition> stored(const QString& name) {
        Recordset rs;
        return ReportStore(rs).read(name);
    }
    QStringList dump() {
        Recordset rs;
        rs.Open(QStringLiteral("select proid, parid, proname, proval, proval1, proval2 from zdb1 "
                               "order by proid"),
                *SuiteLib::instance().Connection);
        QStringList rows;
        for (; !rs.Eof(); rs.MoveNext()) {
            QStringList row;
            for (int i = 0; i < rs.FieldCount(); ++i)
                row << rs.Value(i).toString();
            rows << row.join(u'|');
        }
        return rows;
    }

    std::unique_ptr<frmRSCX> w;
};

TEST_P(ReportButtons, AddStoresTheReportAndLoadingGivesItBack) {
    compose();
    add(QStringLiteral("  O'Brien月报 "));
    EXPECT_EQ(status(), QStringLiteral("添加完成！"));
    EXPECT_EQ(texts(w->List6).last(), QStringLiteral("O'Brien月报"));

    const ReportDefinition d = stored(QStringLiteral("O'Brien月报")).value();
    EXPECT_EQ(d.lists.Display.entries(), (QStringList{"memberid", "name", "sfgz"}));
    EXPECT_EQ(d.lists.Sort.entries(), QStringList{"name"});
    EXPECT_EQ(d.lists.Sum.entries(), QStringList{"sfgz"});
    // Accepted rows one after another, the department by its name.
    ASSERT_EQ(d.conditionCount, 2);
    EXPECT_EQ(d.conditions[0], (Mdlx::ConditionRow{"", "DEPART", "=", department()}));
    EXPECT_EQ(d.conditions[1], (Mdlx::ConditionRow{"并且", "sfgz", ">", "1000"}));

    w->List6_Click(0);
    w->List6_Click(int(texts(w->List6).size()) - 1);
    EXPECT_EQ(w->itemLists().Display, (QStringList{"工号", "姓名", "实发工资"}));
    EXPECT_EQ(w->itemLists().Sort, QStringList{"姓名"});
    EXPECT_EQ(w->conditionGrid().text(1, 4), department());
    EXPECT_EQ(w->conditionGrid().text(2, 3), QStringLiteral(">"));
}

// Each refusal of add in its order; nothing is written by any of them.
TEST_P(ReportButtons, AddRefusals) {
    QFile workbook(ReportStore::workbookPath(QStringLiteral("锁定")));
    ASSERT_TRUE(workbook.open(QIODevice::WriteOnly));
    workbook.close();
    compose();
    add(QStringLiteral("甲表"));
    const QStringList before = dump();
    struct Case {
        const char* typed;
        const char* status;
    } cases[] = {{"", "请输入报表名称！"},
                 {"2008", "无效报表名称！"},
                 {"报表名称:", "无效报表名称！"},
                 {"锁定", "该报表名称已被系统锁定,不能使用."},
                 {" 锁定", "该报表名称已被系统锁定,不能使用."},
                 {"甲表", "已有此报表名称！"},
                 {" 甲表 ", "已有此报表名称！"},
                 {"工资管理", "已有此报表名称！"}};
    for (const Case& c : cases) {
        add(QString::fromUtf8(c.typed));
        EXPECT_EQ(status(), QString::fromUtf8(c.status)) << c.typed;
    }
    w->itemLists().clear();
    add(QStringLiteral("乙表"));
    EXPECT_EQ(status(), QStringLiteral("请选定显示项目！"));
    for (int i = 0; i < 101; ++i)
        w->itemLists().Display << QStringLiteral("工号");
    add(QStringLiteral("乙表"));
    EXPECT_EQ(status(), QStringLiteral("选定显示项目的数量不能超过100个！"));
    EXPECT_EQ(dump(), before);

    compose();
    add(QStringLiteral("2008年"));
    EXPECT_EQ(status(), QStringLiteral("添加完成！"));
}

TEST_P(ReportButtons, ModifyKeepsTheIdRenamesAndRefuses) {
    compose();
    add(QStringLiteral("甲表"));
    add(QStringLiteral("乙表"));
    const qint64 id = stored(QStringLiteral("甲表")).value().id;

    select(QStringLiteral("甲表"));
    w->itemLists().Display = QStringList{"部门", "实发工资"};
    w->itemLists().Sort.clear();
    w->itemLists().Sum.clear();
    w->itemLists().Group = QStringList{"部门"};
    w->Text1->setText(QStringLiteral("甲表"));
    w->Command5_Click();
    EXPECT_EQ(status(), QStringLiteral("修改完成！"));
    EXPECT_EQ(stored(QStringLiteral("甲表")).value().lists.Group.entries(), QStringList{"DEPART"});

    w->Text1->setText(QStringLiteral("丙表"));
    w->Command5_Click();
    EXPECT_EQ(status(), QStringLiteral("修改完成！"));
    EXPECT_EQ(stored(QStringLiteral("丙表")).value().id, id);
    EXPECT_TRUE(texts(w->List6).contains(QStringLiteral("丙表")));
    EXPECT_FALSE(texts(w->List6).contains(QStringLiteral("甲表")));

    const QStringList before = dump();
    w->Text1->setText(QStringLiteral("乙表"));
    w->Command5_Click();
    EXPECT_EQ(status(), QStringLiteral("已有此报表名称！"));
    select(QStringLiteral("工资条")); // the demo's template report
    w->Text1->setText(QStringLiteral("工资条二"));
    w->Command5_Click();
    EXPECT_EQ(status(), QStringLiteral("定制报表,不能修改."));
    select(QStringLiteral("丙表"));
    w->Text1->setText(QStringLiteral("工资条"));
    w->Command5_Click();
    EXPECT_EQ(status(), QStringLiteral("该报表名称已被系统锁定,不能使用."));
    w->List6->setCurrentRow(0);
    w->Command5_Click();
    EXPECT_EQ(status(), QStringLiteral("此项不能修改！"));
    w->List6->setCurrentRow(-1);
    w->Command5_Click();
    EXPECT_EQ(status(), QStringLiteral("请指定要修改的报表！"));
    EXPECT_EQ(dump(), before);
}

TEST_P(ReportButtons, DeleteRemovesTheRowsAndTheEntryAndForgetsTheLoadedIndex) {
    const QStringList before = dump();
    compose();
    add(QStringLiteral("甲表"));
    const int index = int(texts(w->List6).indexOf(QStringLiteral("甲表")));
    w->List6_Click(index);
    ASSERT_EQ(w->loadedReportIndex(), index);
    w->Command6_Click();
    EXPECT_EQ(status(), QStringLiteral("删除完成！"));
    EXPECT_FALSE(texts(w->List6).contains(QStringLiteral("甲表")));
    EXPECT_EQ(w->loadedReportIndex(), 0);
    EXPECT_EQ(dump(), before);

    w->List6->setCurrentRow(0);
    w->Command6_Click();
    EXPECT_EQ(status(), QStringLiteral("此项不能删除！"));
    w->List6->setCurrentRow(-1);
    w->Command6_Click();
    EXPECT_EQ(status(), QStringLiteral("请指定要删除的报表！"));
}

// Another user deleted or renamed the report after the designer listed it.
TEST_P(ReportButtons, AReportChangedMeanwhileIsReportedAndNothingWritten) {
    compose();
    add(QStringLiteral("甲表"));
    Connection other(SuiteLib::instance().Connection->config());
    other.Execute(QStringLiteral("update zdb1 set proname='甲表改' where proname='甲表'"));
    const QStringList before = dump();
    select(QStringLiteral("甲表"));
    w->Text1->setText(QStringLiteral("甲表"));
    w->Command5_Click();
    EXPECT_EQ(status(), QStringLiteral("报表已被其他用户修改或删除"));
    w->Command6_Click();
    EXPECT_EQ(status(), QStringLiteral("报表已被其他用户修改或删除"));
    EXPECT_TRUE(texts(w->List6).contains(QStringLiteral("甲表")));
    EXPECT_EQ(dump(), before);
}

// A report added in the designer is offered by the main window's list.
TEST_P(ReportButtons, AnAddedReportReachesTheMainWindow) {
    compose();
    add(QStringLiteral("新报表"));
    w.reset();
    openTable(QStringLiteral("工资管理"));
    mainWindow->Form_Activate();
    EXPECT_TRUE(texts(mainWindow->ListView1).contains(QStringLiteral("新报表")));
}

QUILL_INSTANTIATE_ENGINES(ReportButtons);

} // namespace
