#include "EntryFixture.h"

#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/entry/frmRSLR.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

class EntryLoad : public EntryFixture {
protected:
    // memberid of the n-th record of the current query.
    static QString memberAt(int n) {
        SuiteLib& lib = SuiteLib::instance();
        Recordset rs;
        rs.Open(lib.QuerySql, *lib.Connection);
        for (int i = 1; i < n; ++i)
            rs.MoveNext();
        return rs.Value(QStringLiteral("memberid")).toString();
    }
    static QString value(frmRSLR& w, const QString& field) {
        return w.F1Book1->CellText(rowOf(w, field), 2);
    }
};

TEST_P(EntryLoad, ModifyShowsTheRecordOfCurrentRowFieldByField) {
    SuiteLib& lib = SuiteLib::instance();
    useTable(QStringLiteral("人事档案"));
    auto w = open(QStringLiteral("修改"), 12);
    EXPECT_EQ(w->status(), QString());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("修改记录"));
    ASSERT_EQ(w->F1Book1->LastRow(), 14);
    EXPECT_EQ(w->F1Book1->LastCol(), 2);
    EXPECT_EQ(w->F1Book1->SheetName(1), lib.QueryCaption);
    for (QListWidget* list : {w->List1, w->List2}) {
        ASSERT_EQ(list->count(), 14);
        for (int k = 1; k <= 14; ++k) {
            EXPECT_EQ(list->item(k - 1)->text(), w->F1Book1->CellText(k, 1));
            EXPECT_EQ(list->item(k - 1)->checkState(), Qt::Unchecked);
        }
    }
    EXPECT_EQ(w->F1Book1->CellText(1, 1), QStringLiteral("工号"));
    // CurrentRow equal to the record count is the last record.
    EXPECT_EQ(value(*w, QStringLiteral("memberid")), memberAt(12));
    EXPECT_EQ(lib.CurrentRow, 12);
    EXPECT_EQ(lib.CurrentMemberId, memberAt(12));
    EXPECT_FALSE(w->Check1->isEnabled());
    for (QPushButton* b : {w->Command1, w->Command2, w->Command3, w->Command4, w->Command5})
        EXPECT_TRUE(b->isEnabled());

    w.reset();
    EXPECT_EQ(lib.CommandName, QString()) << "unloading clears the command";
    w = open(QStringLiteral("修改"), 5);
    EXPECT_EQ(value(*w, QStringLiteral("memberid")), memberAt(5));
}

TEST_P(EntryLoad, XsShowsNamesFormatsAndYesNoAndLeavesReadOnlyRows) {
    SuiteLib& lib = SuiteLib::instance();
    useTable(QStringLiteral("人事档案"));
    exec(QStringLiteral("update YGZL set joindate='1925-06-01', zz=%1 where memberid='000003'")
             .arg(GetParam() == Engine::Pg ? QStringLiteral("true") : QStringLiteral("1")));
    exec(QStringLiteral("update YGZL set zz=%1 where memberid='000004'")
             .arg(GetParam() == Engine::Pg ? QStringLiteral("false") : QStringLiteral("0")));
    lib.ReadOnlyColumns1 = QStringLiteral("姓名,卡号");
    // An update moves a row to the end of a PostgreSQL table: ordered.
    useTable(QStringLiteral("人事档案"), QStringLiteral("select * "),
             QStringLiteral("order by memberid"));
    auto w = open(QStringLiteral("修改"), 3);
    ASSERT_EQ(value(*w, QStringLiteral("memberid")), QStringLiteral("000003"));
    const QString dept =
        scalar(QStringLiteral("select DEPART from YGZL where memberid='000003'")).toString();
    EXPECT_EQ(value(*w, QStringLiteral("DEPART")), lib.DeptName(QStringLiteral("部门"), dept));
    EXPECT_FALSE(value(*w, QStringLiteral("GROUP0")).isEmpty());
    EXPECT_FALSE(value(*w, QStringLiteral("TEAM")).isEmpty());
    EXPECT_EQ(value(*w, QStringLiteral("joindate")), QStringLiteral("25-06-01"));
    EXPECT_EQ(value(*w, QStringLiteral("zz")), QStringLiteral("True"));
    EXPECT_TRUE(value(*w, QStringLiteral("name")).isEmpty());
    EXPECT_TRUE(value(*w, QStringLiteral("kh")).isEmpty());
    w.reset();
    w = open(QStringLiteral("修改"), 4);
    EXPECT_EQ(value(*w, QStringLiteral("zz")), QStringLiteral("False"));
}

TEST_P(EntryLoad, DecimalZeroAndNullShowAsZeroWithTwoDecimals) {
    useTable(QStringLiteral("工资管理"));
    exec(QStringLiteral("update GZB set gwjt=0, jxjj=null, cqts=null"));
    auto w = open(QStringLiteral("修改"), 1);
    EXPECT_EQ(value(*w, QStringLiteral("gwjt")), QStringLiteral("0.00"));
    EXPECT_EQ(value(*w, QStringLiteral("jxjj")), QStringLiteral("0.00"));
    EXPECT_EQ(value(*w, QStringLiteral("cqts")), QStringLiteral("0"));
}

TEST_P(EntryLoad, PhotoIsShownEmptyForNullAndReportedWhenItsFileIsMissing) {
    useTable(QStringLiteral("人事档案"), QStringLiteral("select * "),
             QStringLiteral("where memberid<='000003' order by memberid"));
    auto w = open(QStringLiteral("修改"), 2);
    EXPECT_FALSE(w->Image1->pixmap().isNull()) << "000002 has a picture";
    EXPECT_EQ(w->status(), QString());
    w.reset();
    w = open(QStringLiteral("修改"), 3);
    EXPECT_TRUE(w->Image1->pixmap().isNull()) << "000003 has none";
    EXPECT_EQ(w->status(), QString());
    w.reset();

    exec(QStringLiteral("update YGZL set PHOTO='/nonexistent/p.png' where memberid='000001'"));
    w = open(QStringLiteral("修改"), 1);
    EXPECT_TRUE(w->Image1->pixmap().isNull());
    EXPECT_EQ(w->status(), QStringLiteral("文件未找到：/nonexistent/p.png"));
    // The record is shown all the same.
    EXPECT_EQ(value(*w, QStringLiteral("memberid")), QStringLiteral("000001"));
    w.reset();

    // An add shows the picture of the record it wrote, and none before.
    const QString photo =
        scalar(QStringLiteral("select PHOTO from YGZL where memberid='000002'")).toString();
    w = open(QStringLiteral("添加"), 0);
    w->List1->item(0)->setCheckState(Qt::Checked);
    type(*w, 1, QStringLiteral("000002"));
    type(*w, rowOf(*w, QStringLiteral("PHOTO")), photo);
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("已有此工号"));
    EXPECT_TRUE(w->Image1->pixmap().isNull());
    type(*w, 1, QStringLiteral("000102"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("添加完成！"));
    EXPECT_FALSE(w->Image1->pixmap().isNull());
}

TEST_P(EntryLoad, ModesDisableTheirControls) {
    useTable(QStringLiteral("人事档案"));
    auto w = open(QStringLiteral("添加"), 0);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("添加记录"));
    EXPECT_TRUE(w->Check1->isEnabled());
    EXPECT_TRUE(w->Command1->isEnabled());
    for (QPushButton* b : {w->Command3, w->Command4, w->Command5})
        EXPECT_FALSE(b->isEnabled());
    for (int k = 1; k <= w->F1Book1->LastRow(); ++k)
        EXPECT_TRUE(w->F1Book1->CellText(k, 2).isEmpty()) << k;
    w.reset();

    w = open(QStringLiteral("删除"), 2);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("删除记录"));
    for (QWidget* c :
         std::initializer_list<QWidget*>{w->Command3, w->Command4, w->Check1, w->List1, w->List2})
        EXPECT_FALSE(c->isEnabled()) << c->objectName().toStdString();
    for (QPushButton* b : {w->Command1, w->Command2, w->Command5})
        EXPECT_TRUE(b->isEnabled());
    EXPECT_EQ(value(*w, QStringLiteral("memberid")), memberAt(2));
}

TEST_P(EntryLoad, LoadErrorsAreShownInTheStatusBar) {
    SuiteLib& lib = SuiteLib::instance();
    useTable(QStringLiteral("人事档案"));
    lib.QuerySql = QStringLiteral("select * from NOSUCHTABLE");
    auto w = open(QStringLiteral("修改"), 1);
    EXPECT_FALSE(w->status().isEmpty());
    EXPECT_TRUE(w->isVisible());
    w.reset();

    // More fields than the OK button can copy are refused before anything.
    QStringList fields;
    for (int i = 1; i <= 201; ++i)
        fields << QStringLiteral("memberid as f%1").arg(i);
    lib.QuerySql = QStringLiteral("select ") + fields.join(u',') + QStringLiteral(" from YGZL");
    w = open(QStringLiteral("修改"), 1);
    EXPECT_EQ(w->status(), QStringLiteral("查询有201个项目，录入窗口最多只能显示200个"));
    EXPECT_EQ(w->List1->count(), 0);

    fields.removeLast();
    lib.QuerySql = QStringLiteral("select ") + fields.join(u',') + QStringLiteral(" from YGZL");
    w = open(QStringLiteral("修改"), 1);
    EXPECT_EQ(w->status(), QString());
    EXPECT_EQ(w->F1Book1->LastRow(), 200);
}

TEST_P(EntryLoad, EditingRulesOfTheGrid) {
    SuiteLib& lib = SuiteLib::instance();
    // A card column, whose row takes no keys.
    exec(QStringLiteral("alter table YGZL add column cardid varchar(20)"));
    const int table = scalar(QStringLiteral("select proid from zdb1 where proval='YGZL'")).toInt();
    const int id = scalar(QStringLiteral("select max(proid) from zdb1")).toInt() + 1;
    exec(QStringLiteral("insert into zdb1 (parid, proid, proname, proval, proif, proval1, proval2) "
                        "values (%1, %2, '感应卡', 'cardid', %3, 'S', '20')")
             .arg(table)
             .arg(id)
             .arg(GetParam() == Engine::Pg ? QStringLiteral("false") : QStringLiteral("0")));
    useTable(QStringLiteral("人事档案"));
    lib.ReadOnlyColumns2 = QStringLiteral("卡号");
    auto w = open(QStringLiteral("修改"), 1);
    F1Book& grid = *w->F1Book1;

    QString typed = QStringLiteral("007");
    bool cancel = false;
    w->F1Book1_EndEdit(typed, cancel);
    EXPECT_EQ(typed, QStringLiteral("'007"));
    w->F1Book1_EndEdit(typed, cancel);
    EXPECT_EQ(typed, QStringLiteral("'007")) << "one mark only";

    const int card = rowOf(*w, QStringLiteral("cardid"));
    ASSERT_EQ(grid.CellText(card, 1), QStringLiteral("感应卡"));
    struct Cell {
        const char* what;
        int row, col;
        bool editable, keys;
    };
    for (const Cell& c :
         {Cell{"a value", 2, 2, true, true}, Cell{"a caption", 2, 1, false, false},
          Cell{"a read-only column", rowOf(*w, QStringLiteral("kh")), 2, false, true},
          Cell{"the card row", card, 2, true, false},
          Cell{"the row above the card row", card - 1, 2, true, true}}) {
        SCOPED_TRACE(c.what);
        click(*w, c.row, c.col);
        EXPECT_EQ(grid.AllowCellEditing(), c.editable);
        int key = '7';
        w->F1Book1_KeyPress(key);
        EXPECT_EQ(key, c.keys ? '7' : 0);
    }

    EXPECT_EQ(w->Label4->text(), QStringLiteral("全选"));
    for (const auto& [caption, state] : {std::pair{"全清", Qt::Checked}, {"全选", Qt::Unchecked}}) {
        w->Label4_Click();
        EXPECT_EQ(w->Label4->text(), QString::fromUtf8(caption));
        for (int i = 0; i < w->List2->count(); ++i)
            EXPECT_EQ(w->List2->item(i)->checkState(), state) << caption;
    }

    w->List1_Click();
    EXPECT_EQ(grid.SelRow(), 1);
    EXPECT_EQ(grid.SelCol(), 2);
}

TEST_P(EntryLoad, PickListsOfTeamsAndGroupsNeedTheRowsAbove) {
    for (const auto& [select, row] :
         {std::pair{"select TEAM, name, memberid ", 1}, {"select name, TEAM, memberid ", 2}}) {
        useTable(QStringLiteral("人事档案"), QString::fromUtf8(select));
        auto w = open(QStringLiteral("修改"), 1);
        w->F1Book1_Click(row, 2);
        EXPECT_EQ(w->status(), QStringLiteral("请先确定班名和部门！")) << select;
        EXPECT_FALSE(w->F1Book1->ObjVisible(1)) << select;
    }

    useTable(QStringLiteral("人事档案"), QStringLiteral("select DEPART, GROUP0, TEAM, memberid "));
    auto w = open(QStringLiteral("修改"), 1);
    F1Book& grid = *w->F1Book1;
    const QString team = grid.CellText(2, 2);
    grid.SetSelection(2, 2, 2, 2);
    QCoreApplication::processEvents();
    click(*w, 2, 2);
    EXPECT_EQ(w->status(), QString());
    ASSERT_TRUE(grid.ObjVisible(1));
    ASSERT_GT(grid.ObjItemCount(1), 2);
    EXPECT_EQ(grid.ObjItemText(1, 0), QStringLiteral(" "));
    QStringList teams;
    for (int i = 1; i < grid.ObjItemCount(1); ++i)
        teams << grid.ObjItemText(1, i);
    EXPECT_TRUE(teams.contains(team)) << team.toStdString();
    // The chosen entry goes into the cell that was selected when the
    // selection moves on.
    const int pick = teams.indexOf(team) == 0 ? 2 : 1;
    grid.SetObjValue(1, pick);
    grid.SetSelection(3, 2, 3, 2);
    QCoreApplication::processEvents();
    w->F1Book1_SelChange();
    EXPECT_EQ(grid.CellText(2, 2), teams.at(pick - 1));
    EXPECT_FALSE(grid.ObjVisible(1));

    // A group list follows the department and team above it; a second click
    // lists it afresh.
    click(*w, 3, 2);
    ASSERT_TRUE(grid.ObjVisible(1));
    const int groups = grid.ObjItemCount(1);
    w->F1Book1_Click(3, 2);
    EXPECT_EQ(grid.ObjItemCount(1), groups);
}

QUILL_INSTANTIATE_ENGINES(EntryLoad);

} // namespace
