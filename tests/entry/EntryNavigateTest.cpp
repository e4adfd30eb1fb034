#include "EntryFixture.h"

#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/entry/frmRSLR.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quill;
using namespace quill::test;

namespace {

class EntryNavigate : public EntryFixture {
protected:
    // The memberids of the current query's records, in their order.
    static QStringList members() {
        SuiteLib& lib = SuiteLib::instance();
        Recordset rs;
        rs.Open(lib.QuerySql, *lib.Connection);
        QStringList out;
        for (; !rs.Eof(); rs.MoveNext())
            out << rs.Value(QStringLiteral("memberid")).toString();
        return out;
    }
};

TEST_P(EntryNavigate, NextAndPreviousStopAtTheEnds) {
    SuiteLib& lib = SuiteLib::instance();
    useTable(QStringLiteral("人事档案"), QStringLiteral("select * "),
             QStringLiteral("where memberid='000004'"));
    auto w = open(QStringLiteral("修改"), 1);
    w->Command3_Click();
    EXPECT_EQ(w->status(), QStringLiteral("记录到底！"));
    w->Command4_Click();
    EXPECT_EQ(w->status(), QStringLiteral("记录到顶！"));
    EXPECT_EQ(lib.CurrentRow, 1);
    w->Command1_LostFocus();
    EXPECT_EQ(w->status(), QString()) << "OK losing the focus clears the status";
    w.reset();

    useTable(QStringLiteral("人事档案"));
    const QStringList ids = members();
    w = open(QStringLiteral("修改"), 1);
    for (int n = 2; n <= 3; ++n) {
        w->Command3_Click();
        EXPECT_EQ(w->status(), QString());
        EXPECT_EQ(lib.CurrentRow, n);
        EXPECT_EQ(w->F1Book1->CellText(1, 2), ids.at(n - 1));
        EXPECT_EQ(lib.CurrentMemberId, ids.at(n - 1));
    }
    w->Command4_Click();
    EXPECT_EQ(lib.CurrentRow, 2);
    EXPECT_EQ(w->F1Book1->CellText(1, 2), ids.at(1));
}

TEST_P(EntryNavigate, FindGoesToTheRecordWithTheKey) {
    SuiteLib& lib = SuiteLib::instance();
    useTable(QStringLiteral("人事档案"));
    exec(QStringLiteral("update YGZL set xl='MBA' where memberid='000007'"));
    const QStringList ids = members();
    auto w = open(QStringLiteral("修改"), 1);
    click(*w, 1);
    type(*w, 1, ids.at(2));
    w->Command5_Click();
    EXPECT_EQ(w->status(), QStringLiteral("查找完成！"));
    EXPECT_EQ(lib.CurrentRow, 3);
    EXPECT_EQ(lib.CurrentMemberId, ids.at(2));
    EXPECT_FALSE(w->F1Book1->CellText(2, 2).isEmpty());

    // Texts compare without regard to case.
    const int xl = rowOf(*w, QStringLiteral("xl"));
    click(*w, xl);
    type(*w, xl, QStringLiteral("mba"));
    w->Command5_Click();
    EXPECT_EQ(w->status(), QStringLiteral("查找完成！"));
    EXPECT_EQ(lib.CurrentRow, ids.indexOf(QStringLiteral("000007")) + 1);
}

TEST_P(EntryNavigate, AnEmptyKeyFindsTheFirstEmptyField) {
    SuiteLib& lib = SuiteLib::instance();
    useTable(QStringLiteral("人事档案"));
    exec(QStringLiteral("update YGZL set xl='本科'"));
    exec(QStringLiteral("update YGZL set xl=null where memberid='000008'"));
    exec(QStringLiteral("update YGZL set xl='' where memberid='000010'"));
    // An update moves a row to the end of a PostgreSQL table.
    const QStringList ids = members();
    const int first = int(std::min(ids.indexOf(QStringLiteral("000008")),
                                   ids.indexOf(QStringLiteral("000010")))) +
                      1;
    auto w = open(QStringLiteral("修改"), 1);
    const int xl = rowOf(*w, QStringLiteral("xl"));
    click(*w, xl);
    type(*w, xl, QString());
    w->Command5_Click();
    EXPECT_EQ(w->status(), QStringLiteral("查找完成！"));
    EXPECT_EQ(lib.CurrentRow, first);
}

TEST_P(EntryNavigate, ANotFoundKeyLeavesNoRecordToCommit) {
    SuiteLib& lib = SuiteLib::instance();
    useTable(QStringLiteral("人事档案"));
    const QStringList ids = members();
    auto w = open(QStringLiteral("修改"), 4);
    click(*w, 2);
    type(*w, 2, QStringLiteral("没有这个人"));
    w->Command5_Click();
    EXPECT_EQ(w->status(), QStringLiteral("没有记录！"));
    EXPECT_EQ(lib.CurrentRow, 12);
    for (int r = 1; r <= w->F1Book1->LastRow(); ++r) {
        if (r != 2) {
            EXPECT_TRUE(w->F1Book1->CellText(r, 2).isEmpty()) << r;
        }
    }
    EXPECT_EQ(w->F1Book1->CellText(2, 2), QStringLiteral("没有这个人"));
    // OK would blank the last record, which the user never saw.
    const QVariant last =
        scalar(QStringLiteral("select name from YGZL where memberid='") + ids.last() + u'\'');
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("没有记录！"));
    EXPECT_EQ(scalar(QStringLiteral("select name from YGZL where memberid='") + ids.last() + u'\''),
              last);

    w->Command3_Click();
    EXPECT_EQ(w->status(), QStringLiteral("记录到底！"));
    w->Command4_Click();
    EXPECT_EQ(lib.CurrentRow, 11);
    EXPECT_EQ(w->F1Book1->CellText(1, 2), ids.at(10));
    w->Command1_Click();
    EXPECT_EQ(w->status(), QStringLiteral("修改完成！"));
}

QUILL_INSTANTIATE_ENGINES(EntryNavigate);

} // namespace
