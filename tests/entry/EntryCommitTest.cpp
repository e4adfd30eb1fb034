#include "EntryFixture.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/entry/ChosenRecord.h"
#include "windows/entry/RecordChecks.h"
#include "windows/entry/frmRSLR.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

class EntryCommit : public EntryFixture {
protected:
    static void tick(QListWidget* list, int row) {
        list->item(row - 1)->setCheckState(Qt::Checked);
    }
    int count(const QString& where = QString()) const {
        return scalar(QStringLiteral("select count(*) from YGZL ") + where).toInt();
    }
    QVariant member(const QString& field, const QString& id,
                    const QString& table = QStringLiteral("YGZL")) const {
        return scalar(
            QStringLiteral("select %1 from %2 where memberid='%3'").arg(field, table, id));
    }
};

struct Bound {
    int row;
    const char* text;
    const char* message; // "" passes
};

TEST_P(EntryCommit, ValueChecksOfEachType) {
    useTable(QStringLiteral("工资管理"), QStringLiteral("select jbgz, cqts, name, ffrq "));
    auto w = open(QStringLiteral("修改"), 1);
    RecordChecks checks(w->entry());
    const Bound bounds[] = {
        {1, "1.2E+307", ""},
        {1, "1.3E+307", "值过大"},
        {1, "-1E+308", ""},
        {2, "2147483647", ""},
        {2, "2147483648", "值过大"},
        {3, "abcdefghij", ""},
        {3, "abcdefghijk", "长度过长"},
        {3, "五个汉字啊", ""},
        {3, "六个汉字啊啊", "长度过长"},
        {4, "2026-02-28", ""},
        {4, "2026-13-01", "日期格式不对"},
    };
    for (const Bound& b : bounds) {
        type(*w, b.row, QString::fromUtf8(b.text));
        EXPECT_EQ(checks.checkRow(b.row, false, false).value_or(QString()),
                  QString::fromUtf8(b.message))
            << b.text;
    }
}

TEST_P(EntryCommit, RowsAreCheckedInOrderRequiredTypeUnique) {
    useTable(QStringLiteral("工资管理"), QStringLiteral("select ffrq, name, memberid "));
    auto w = open(QStringLiteral("添加"), 0);
    tick(w->List2, 3);
    type(*w, 1, QStringLiteral("2026-13-01"));
    type(*w, 2, QStringLiteral("某人"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("日期格式不对"));
    type(*w, 1, QStringLiteral("2026-03-10"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("为必填项目"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from GZB where name='某人'")).toInt(), 0);
}

TEST_P(EntryCommit, MovingOnChecksTheRowsAbove) {
    useTable(QStringLiteral("工资管理"), QStringLiteral("select memberid, ffrq, name, jbgz "));
    auto w = open(QStringLiteral("添加"), 0);
    F1Book& grid = *w->F1Book1;
    tick(w->List2, 1);
    type(*w, 2, QStringLiteral("2026-02-30"));
    grid.SetSelection(4, 2, 4, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->status(), QStringLiteral("为必填项目"));
    EXPECT_EQ(grid.SelRow(), 1);
    EXPECT_EQ(grid.SelCol(), 2);
    type(*w, 1, QStringLiteral("900009"));
    grid.SetSelection(4, 2, 4, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->status(), QStringLiteral("日期格式不对"));
    EXPECT_EQ(grid.SelRow(), 2);
    type(*w, 2, QStringLiteral("2026-02-28"));
    grid.SetSelection(4, 2, 4, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.SelRow(), 4);
}

TEST_P(EntryCommit, AddStoresEmptyTextAndDateAsNullAndEmptyNumbersAsZero) {
    useTable(QStringLiteral("工资管理"),
             QStringLiteral("select memberid, name, jbgz, cqts, ffrq, zhtime "));
    auto w = open(QStringLiteral("添加"), 0);
    type(*w, 1, QStringLiteral("900001"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("添加完成！"));
    const QString gzb = QStringLiteral("GZB"), first = QStringLiteral("900001");
    for (const char* field : {"name", "zhtime", "ffrq"})
        EXPECT_TRUE(member(QString::fromUtf8(field), first, gzb).isNull()) << field;
    for (const char* field : {"jbgz", "cqts"}) {
        EXPECT_EQ(member(QString::fromUtf8(field), first, gzb).toDouble(), 0.0) << field;
        EXPECT_FALSE(member(QString::fromUtf8(field), first, gzb).isNull()) << field;
    }
    // Without 刷新内容 the values stay for the next record.
    EXPECT_EQ(w->F1Book1->CellText(1, 2), QStringLiteral("900001"));

    w->Check1->setChecked(true);
    type(*w, 1, QStringLiteral("900002"));
    type(*w, 3, QStringLiteral("12abc"));
    type(*w, 4, QStringLiteral("7.5"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("添加完成！"));
    for (int r = 1; r <= 200; ++r)
        EXPECT_TRUE(w->F1Book1->CellText(r, 2).isEmpty()) << r;
    EXPECT_EQ(w->F1Book1->LastRow(), 6) << "the grid does not grow";
    // Numbers go in as numbers, never as the typed text.
    const QString added = QStringLiteral("900002");
    EXPECT_EQ(member(QStringLiteral("jbgz"), added, gzb).toDouble(), 12.0);
    EXPECT_EQ(member(QStringLiteral("cqts"), added, gzb).toInt(), 8);
    if (GetParam() == Engine::Sqlite) {
        EXPECT_EQ(member(QStringLiteral("typeof(jbgz)"), added, gzb).toString(), "real");
        EXPECT_EQ(member(QStringLiteral("typeof(cqts)"), added, gzb).toString(), "integer");
    }
}

TEST_P(EntryCommit, ModifyWritesOnlyWhatTheUserChanged) {
    const bool pg = GetParam() == Engine::Pg;
    exec(QStringLiteral("update YGZL set joindate='1925-06-01', zz=%1, xl=null where "
                        "memberid='000003'")
             .arg(pg ? QStringLiteral("true") : QStringLiteral("1")));
    exec(QStringLiteral("update GZB set gwjt=null, jxjj=1234.567, ffrq='1929-12-31' where "
                        "memberid='000003'"));
    useTable(QStringLiteral("人事档案"), QStringLiteral("select * "),
             QStringLiteral("where memberid='000003'"));
    auto w = open(QStringLiteral("修改"), 1);
    EXPECT_EQ(w->F1Book1->CellText(rowOf(*w, QStringLiteral("joindate")), 2), "25-06-01");
    const QVariant dept = member(QStringLiteral("DEPART"), QStringLiteral("000003"));
    type(*w, rowOf(*w, QStringLiteral("name")), QStringLiteral("新名字"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("修改完成！"));
    const QString id = QStringLiteral("000003");
    EXPECT_EQ(member(QStringLiteral("name"), id).toString(), QStringLiteral("新名字"));
    EXPECT_EQ(member(QStringLiteral("joindate"), id).toDate(), QDate(1925, 6, 1));
    EXPECT_TRUE(member(QStringLiteral("zz"), id).toBool());
    EXPECT_TRUE(member(QStringLiteral("xl"), id).isNull());
    EXPECT_EQ(member(QStringLiteral("DEPART"), id), dept) << "names are not turned into codes";
    w.reset();

    useTable(QStringLiteral("工资管理"), QStringLiteral("select * "),
             QStringLiteral("where memberid='000003'"));
    w = open(QStringLiteral("修改"), 1);
    type(*w, rowOf(*w, QStringLiteral("name")), QStringLiteral("另一个名字"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("修改完成！"));
    const QString row =
        QStringLiteral(" from GZB where memberid='000003' and zhtime=") + QStringLiteral("'") +
        w->F1Book1->CellText(rowOf(*w, QStringLiteral("zhtime")), 2) + QStringLiteral("'");
    EXPECT_TRUE(scalar(QStringLiteral("select gwjt") + row).isNull()) << "shown as 0.00";
    EXPECT_EQ(scalar(QStringLiteral("select ffrq") + row).toDate(), QDate(1929, 12, 31));
    EXPECT_NEAR(scalar(QStringLiteral("select jxjj") + row).toDouble(), pg ? 1234.57 : 1234.567,
                1e-9)
        << "shown as 1234.57";
}

TEST_P(EntryCommit, UniqueFieldsLeaveTheRecordItselfOut) {
    useTable(QStringLiteral("人事档案"));
    auto w = open(QStringLiteral("修改"), 2);
    const QString own = w->F1Book1->CellText(1, 2);
    tick(w->List1, 1);
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("修改完成！")) << "its own unchanged value";
    const QString other =
        own == QLatin1String("000001") ? QStringLiteral("000005") : QStringLiteral("000001");
    type(*w, 1, other);
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("已有此工号"));
    EXPECT_EQ(count(QStringLiteral("where memberid='") + own + u'\''), 1);

    // Quotes and a second statement stay inside the literal.
    const int card = rowOf(*w, QStringLiteral("kh"));
    tick(w->List1, card);
    type(*w, 1, own);
    for (const QString& hostile :
         {QStringLiteral("O'Brien"), QStringLiteral("';drop table zdb3--")}) {
        type(*w, card, hostile);
        w->Command1_Click();
        EXPECT_EQ(w->status(), QStringLiteral("修改完成！")) << hostile.toStdString();
        EXPECT_EQ(member(QStringLiteral("kh"), own).toString(), hostile);
    }
    EXPECT_GT(scalar(QStringLiteral("select count(*) from zdb3")).toInt(), 0);
    w.reset();
    w = open(QStringLiteral("修改"), 4);
    tick(w->List1, card);
    type(*w, card, QStringLiteral("';drop table zdb3--"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("已有此卡号"));
    type(*w, card, QStringLiteral("O'Brien"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("修改完成！")) << "no other record holds it now";

    // Dates and numbers go in as the dialect writes them.
    const int birthday = rowOf(*w, QStringLiteral("birthday"));
    tick(w->List1, birthday);
    type(*w, card, QStringLiteral("独一无二"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("修改完成！"));
}

TEST_P(EntryCommit, UniqueNumbersAreComparedAsNumbers) {
    useTable(QStringLiteral("工资管理"), QStringLiteral("select memberid, cqts, jbgz "));
    exec(QStringLiteral("update GZB set cqts=12 where memberid='000001'"));
    auto w = open(QStringLiteral("添加"), 0);
    tick(w->List1, 2);
    type(*w, 1, QStringLiteral("900003"));
    type(*w, 2, QStringLiteral("12abc"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("已有此出勤天数"));
    type(*w, 2, QStringLiteral("-987"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("添加完成！"));
}

TEST_P(EntryCommit, AnotherUsersChangeIsReportedAndNotOverwritten) {
    useTable(QStringLiteral("人事档案"), QStringLiteral("select * "),
             QStringLiteral("where memberid='000002'"));
    auto w = open(QStringLiteral("修改"), 1);
    {
        Connection other(SuiteLib::instance().Connection->config());
        other.Execute(QStringLiteral("update YGZL set name='别人改的' where memberid='000002'"));
    }
    type(*w, rowOf(*w, QStringLiteral("xl")), QStringLiteral("博士"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("记录已被其他用户修改或删除"));
    EXPECT_EQ(member(QStringLiteral("name"), QStringLiteral("000002")).toString(),
              QStringLiteral("别人改的"));
    EXPECT_NE(member(QStringLiteral("xl"), QStringLiteral("000002")).toString(),
              QStringLiteral("博士"));
    w.reset();

    w = open(QStringLiteral("删除"), 1);
    {
        Connection other(SuiteLib::instance().Connection->config());
        other.Execute(QStringLiteral("update YGZL set name='又改了' where memberid='000002'"));
    }
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("记录已被其他用户修改或删除"));
    EXPECT_EQ(count(QStringLiteral("where memberid='000002'")), 1);
}

TEST_P(EntryCommit, AFailedWriteLeavesNothingAndSaysWhy) {
    exec(QStringLiteral("create unique index ygzl_member on YGZL (memberid)"));
    useTable(QStringLiteral("人事档案"));
    auto w = open(QStringLiteral("添加"), 0);
    type(*w, 1, QStringLiteral("000001"));
    type(*w, 2, QStringLiteral("重复的人"));
    w->Command1_Click();
    EXPECT_TRUE(w->status().startsWith(QStringLiteral("请设置唯一检验！ ")))
        << w->status().toStdString();
    EXPECT_GT(w->status().size(), 10) << "with the database's reason";
    tick(w->List1, 2);
    w->Command1_Click();
    EXPECT_TRUE(w->status().startsWith(QStringLiteral("唯一检验没通过！ ")));
    EXPECT_EQ(count(), 12);
    EXPECT_EQ(count(QStringLiteral("where name='重复的人'")), 0);
    // The window goes on: the next add is written.
    type(*w, 1, QStringLiteral("000099"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("添加完成！"));
    EXPECT_EQ(count(), 13);
}

TEST_P(EntryCommit, UnknownOrganisationNamesAreRefused) {
    useTable(QStringLiteral("人事档案"));
    auto w = open(QStringLiteral("修改"), 1);
    const QString id = w->F1Book1->CellText(1, 2);
    const QVariant dept = member(QStringLiteral("DEPART"), id);
    type(*w, rowOf(*w, QStringLiteral("DEPART")), QStringLiteral("火星部"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("“火星部”不是有效的部门"));
    EXPECT_EQ(member(QStringLiteral("DEPART"), id), dept);
}

TEST_P(EntryCommit, DeleteRemovesTheRecordAndCloses) {
    SuiteLib& lib = SuiteLib::instance();
    useTable(QStringLiteral("人事档案"));
    auto w = open(QStringLiteral("删除"), 3);
    const QString id = w->F1Book1->CellText(1, 2);
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("删除完成！"));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(lib.CurrentRow, 2);
    EXPECT_EQ(count(QStringLiteral("where memberid='") + id + u'\''), 0);
    EXPECT_EQ(count(), 11);
}

TEST_P(EntryCommit, TheHandedRecordIsFoundWhereverItIs) {
    SuiteLib& lib = SuiteLib::instance();
    useTable(QStringLiteral("人事档案"));
    Recordset rs;
    rs.Open(lib.QuerySql, *lib.Connection);
    for (int i = 1; i < 5; ++i)
        rs.MoveNext();
    const QString id = rs.Value(QStringLiteral("memberid")).toString();
    ChosenRecord::choose(lib.QuerySql, rs.Identity());
    rs.Close();
    auto w = open(QStringLiteral("修改"), 1);
    EXPECT_EQ(w->F1Book1->CellText(1, 2), id);
    EXPECT_EQ(lib.CurrentRow, 5);
    w.reset();

    exec(QStringLiteral("update YGZL set xl='改过' where memberid='") + id + u'\'');
    w = open(QStringLiteral("删除"), 5);
    EXPECT_EQ(w->status(), QStringLiteral("记录已被其他用户修改或删除"));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("没有记录！"));
    EXPECT_EQ(count(QStringLiteral("where memberid='") + id + u'\''), 1);
}

TEST_P(EntryCommit, AnAddedRecordIsAppendedToTheMainSheet) {
    useTable(QStringLiteral("人事档案"), QStringLiteral("select memberid, name "));
    for (int shown : {1, 0}) {
        F1Book sheet;
        sheet.SetLastCol(2);
        sheet.SetLastRow(1);
        if (shown)
            sheet.SetCellText(1, 1, QStringLiteral("000001"));
        SuiteLib::instance().CommandName = QStringLiteral("添加");
        frmRSLR w(&sheet, shown);
        const QString id = QStringLiteral("80000%1").arg(shown);
        type(w, 1, id);
        type(w, 2, QStringLiteral("新人"));
        w.Command1_Click();
        EXPECT_EQ(w.status(), QStringLiteral("添加完成！"));
        EXPECT_EQ(sheet.LastRow(), 1 + shown);
        EXPECT_EQ(sheet.CellText(sheet.LastRow(), 1), id);
        EXPECT_EQ(sheet.CellText(sheet.LastRow(), 2), QStringLiteral("新人"));
        if (shown) {
            EXPECT_EQ(sheet.CellText(1, 1), QStringLiteral("000001")) << "not overwritten";
        }
    }
}

QUILL_INSTANTIATE_ENGINES(EntryCommit);

} // namespace
