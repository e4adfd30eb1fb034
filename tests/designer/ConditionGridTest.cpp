#include "DesignerFixture.h"

#include "foundation/Mdlx.h"
#include "foundation/ValueLists.h"
#include "platform/db/Recordset.h"
#include "platform/grid/DropDownList.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/designer/ConditionGrid.h"
#include "windows/designer/frmRSCX.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

const QString Dept = QStringLiteral("部门");
const QString Pay = QStringLiteral("实发工资");

class ConditionGridTest : public DesignerFixture {
protected:
    // The user clicks a cell: the active cell moves there, then the click.
    static void click(frmRSCX& w, int row, int col) {
        w.F1Book1->SetActiveCell(row, col);
        QApplication::processEvents();
        w.F1Book1_Click(row, col);
    }
    // The drop-down list's entries, or none while it is hidden.
    static std::optional<QStringList> shownList(const frmRSCX& w) {
        if (!w.F1Book1->ObjVisible(1))
            return std::nullopt;
        QStringList entries;
        for (int i = 0; i < w.F1Book1->ObjItemCount(1); ++i)
            entries << w.F1Book1->ObjItemText(1, i);
        return entries;
    }
    // A drop-down list's entries (apart by spaces) after its blank one.
    static QStringList withBlank(const char* entries) {
        return QStringList{QStringLiteral(" ")} + QString::fromUtf8(entries).split(u' ');
    }
    static Mdlx::ConditionRow edited(int r) {
        return Mdlx::instance().EditedConditions[std::size_t(r)];
    }
};

TEST_P(ConditionGridTest, EachColumnOffersItsList) {
    openTable(QStringLiteral("考勤管理"));
    auto w = designer();
    SuiteLib& lib = SuiteLib::instance();

    click(*w, 1, 1);
    EXPECT_EQ(shownList(*w), std::nullopt) << "the first condition has no connective";
    click(*w, 2, 1);
    EXPECT_EQ(shownList(*w), withBlank("或者 并且"));
    EXPECT_EQ(w->F1Book1->ObjValue(1), -1) << "an empty cell chooses nothing";

    click(*w, 1, 2);
    QStringList items;
    for (long k = 1; k <= lib.ColumnCount(); ++k) {
        if (lib.ColumnAttribute(1, k) != QLatin1String("zhdate"))
            items << lib.ColumnAttribute(0, k);
    }
    EXPECT_EQ(shownList(*w), QStringList{QStringLiteral(" ")} + items);
    EXPECT_FALSE(items.contains(QStringLiteral("日期")));
    EXPECT_TRUE(DesignerFixture::texts(w->List1).contains(QStringLiteral("日期")))
        << "the item lists keep the record date";

    w->conditionGrid().putText(4, 3, QStringLiteral(">="));
    click(*w, 4, 3);
    EXPECT_EQ(shownList(*w), withBlank("= > < >= <= <> LIKE"));
    EXPECT_EQ(w->F1Book1->ObjValue(1), 4) << "the cell's own entry is chosen";

    click(*w, 5, 4);
    EXPECT_EQ(shownList(*w), std::nullopt) << "no item, no values";
    w->F1Book1_Click(0, 2);
    EXPECT_EQ(w->conditionGrid().clickedRow(), 5) << "a heading click is not a cell";
}

TEST_P(ConditionGridTest, PeriodColumnIsNoConditionItem) {
    openTable(QStringLiteral("工资管理"));
    auto w = designer();
    const ConditionGrid::Offer offer = w->conditionGrid().offerFor(1, 2);
    ASSERT_TRUE(offer.entries.has_value());
    EXPECT_FALSE(offer.entries->contains(QStringLiteral("期间")));
    EXPECT_TRUE(offer.entries->contains(Pay));
    EXPECT_TRUE(DesignerFixture::texts(w->List1).contains(QStringLiteral("期间")));
}

TEST_P(ConditionGridTest, OrganisationValuesAreChainedRowByRow) {
    openTable(QStringLiteral("工资管理"));
    auto w = designer();
    ConditionGrid& grid = w->conditionGrid();

    fill(grid, {"|组别|=|", "|组别|=|"});
    for (const int row : {1, 2}) {
        click(*w, row, 4);
        EXPECT_EQ(w->statusText(), QStringLiteral("请先确定班名和部门！")) << row;
        EXPECT_EQ(shownList(*w), std::nullopt) << row;
    }
    fill(grid, {"|班别|=|"});
    click(*w, 1, 4);
    EXPECT_EQ(w->statusText(), QStringLiteral("请先确定部门！"));
    EXPECT_EQ(shownList(*w), std::nullopt);

    // Teams in proval1 order, not in the order they were entered.
    fill(grid, {"|姓名|=|x", "并且|部门|=| 生产部 ", "并且|班别|=|二班", "并且|组别|=|"});
    click(*w, 3, 4);
    EXPECT_EQ(shownList(*w), withBlank("一班 二班 三班"));
    EXPECT_EQ(w->F1Book1->ObjValue(1), 2);
    click(*w, 4, 4);
    EXPECT_EQ(shownList(*w), withBlank("甲组 乙组"));

    grid.putText(2, 4, QStringLiteral("研究院"));
    click(*w, 3, 4);
    EXPECT_EQ(shownList(*w), std::nullopt) << "no department of that name";
    grid.putText(2, 4, QStringLiteral("技术部"));
    click(*w, 3, 4);
    EXPECT_EQ(shownList(*w), withBlank("一班 质检班"));
    grid.putText(2, 2, QString());
    click(*w, 3, 4);
    EXPECT_EQ(shownList(*w), std::nullopt) << "the row above names no item";
}

TEST_P(ConditionGridTest, PickListsOfZdb3InTheirOrder) {
    openTable(QStringLiteral("人事档案"));
    auto w = designer();
    ConditionGrid& grid = w->conditionGrid();
    fill(grid, {"|学历|=|", "| 性别 |=|女", "|姓名|=|"});
    click(*w, 1, 4);
    EXPECT_EQ(shownList(*w), withBlank("初中 高中 中专 大专 本科 硕士"));
    click(*w, 2, 4);
    EXPECT_EQ(shownList(*w), withBlank("男 女"));
    EXPECT_EQ(w->F1Book1->ObjValue(1), 2);
    click(*w, 3, 4);
    EXPECT_EQ(shownList(*w), std::nullopt) << "no pick list: the value is typed";
}

// Captions and names with quotes (and more) stay values of the queries.
TEST_P(ConditionGridTest, QuotesInCaptionsAndNamesDoNotBreakTheLists) {
    openTable(QStringLiteral("工资管理"));
    SuiteLib& lib = SuiteLib::instance();
    const QString caption = QStringLiteral("客户'等级");
    const QString hostile = QStringLiteral("x'; delete from zdb3; --");
    execAndReload(
        QStringLiteral("insert into zdb1 (parid, proid, proname, proval, proif, proval1, proval2) "
                       "select proid, 9001, '客户''等级', 'khdj', false, 'S', '10' from zdb1 "
                       "where proval='GZB' and parid=(select proid from zdb1 where parid=0 and "
                       "proval='DATABASE')"));
    execAndReload(QStringLiteral(
        "insert into zdb1 (parid, proid, proname, proval, proif, proval1, proval2) select "
        "parid, 9002, 'x''; delete from zdb3; --', 'hostile', false, 'S', '10' from zdb1 where "
        "proid=9001"));
    execAndReload(
        QStringLiteral("insert into zdb3 (parid, proid, proname, proval, proval1) values "
                       "(0, 9100, '客户''等级', 2, '09'), (9100, 9101, 'A''级', 1, '02'), "
                       "(9100, 9102, 'B级', 1, '01'), (0, 9200, '研发''部', 3, '09'), "
                       "(9200, 9201, '新''一班', 4, '01')"));
    ASSERT_EQ(lib.ColumnLookup(caption), QStringLiteral("khdj"));

    auto w = designer();
    fill(w->conditionGrid(), {u'|' + caption + QStringLiteral("|=|A'级"), "|部门|=|研发'部",
                              "并且|班别|=|", u'|' + hostile + QStringLiteral("|=|")});
    click(*w, 1, 4);
    EXPECT_EQ(shownList(*w), withBlank("B级 A'级"));
    EXPECT_EQ(w->F1Book1->ObjValue(1), 2);
    click(*w, 3, 4);
    EXPECT_EQ(shownList(*w), withBlank("新'一班"));
    click(*w, 4, 4);
    EXPECT_EQ(shownList(*w), std::nullopt);
    EXPECT_EQ(ValueLists::pickList(QStringLiteral("性别")),
              (QStringList{QStringLiteral("男"), QStringLiteral("女")}))
        << "zdb3 is whole";
}

TEST_P(ConditionGridTest, AChosenEntryGoesIntoTheClickedCell) {
    openTable(QStringLiteral("工资管理"));
    auto w = designer();
    click(*w, 2, 3);
    auto* list = w->F1Book1->findChild<DropDownList*>();
    ASSERT_NE(list, nullptr);
    emit list->picked(4);
    EXPECT_EQ(w->F1Book1->CellText(2, 3), QStringLiteral(">="));
    EXPECT_FALSE(w->F1Book1->ObjVisible(1));

    click(*w, 2, 1);
    emit list->picked(2);
    EXPECT_EQ(w->F1Book1->CellText(2, 1), QStringLiteral("并且"));

    // A list left without a choice writes nothing when the user moves on.
    click(*w, 3, 3);
    ASSERT_TRUE(w->F1Book1->ObjVisible(1));
    click(*w, 4, 2);
    EXPECT_EQ(w->F1Book1->CellText(3, 3), QString());

    // An entry that looks like a formula stays a text.
    w->conditionGrid().putText(5, 4, QStringLiteral("=1+1"));
    EXPECT_EQ(w->F1Book1->CellText(5, 4), QStringLiteral("=1+1"));
    EXPECT_EQ(w->F1Book1->sheet().kind(4, 3), Sheet::Kind::Text);
}

TEST_P(ConditionGridTest, TypedEntriesAreKeptAsTexts) {
    openTable(QStringLiteral("工资管理"));
    auto w = designer();
    w->F1Book1->SetActiveCell(1, 4);
    w->F1Book1->StartCellEdit(false, false, false);
    auto* editor = w->F1Book1->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("100"));
    w->F1Book1->SetActiveCell(2, 4);
    EXPECT_EQ(w->F1Book1->CellText(1, 4), QStringLiteral("100"));
    EXPECT_EQ(w->F1Book1->sheet().kind(0, 3), Sheet::Kind::Text) << "a text, not a number";

    struct Case {
        QString typed, entry;
    };
    for (const Case& c : QList<Case>{{QStringLiteral("100"), QStringLiteral("'100")},
                                     {QStringLiteral("2026-01-31"), QStringLiteral("'2026-01-31")},
                                     {QStringLiteral("'abc"), QStringLiteral("'abc")}}) {
        QString text = c.typed;
        bool cancel = false;
        w->F1Book1_EndEdit(text, cancel);
        EXPECT_EQ(text, c.entry);
        EXPECT_FALSE(cancel);
    }
}

TEST_P(ConditionGridTest, DrcxReadsCompleteRowsOneAfterAnother) {
    openTable(QStringLiteral("工资管理"));
    SuiteLib& lib = SuiteLib::instance();
    auto w = designer();
    Mdlx& m = Mdlx::instance();
    m.EditedConditions[7] = conditionRow(QStringLiteral("并且|实发工资|=|1"));
    fill(w->conditionGrid(),
         {"无效|部门|=|生产部", " 并且 |班别|=|一班", "或者|组别|=|乙组", "并且|实发工资|>|",
          "无效|实发工资|>|5", "||>|5", "|实发工资|>|1000"});
    w->DRCX();
    ASSERT_EQ(m.EditedCount, 4);
    const QString dept = lib.DeptCode(Dept, QStringLiteral("生产部"));
    const QString team = lib.TeamCode(QStringLiteral("生产部"), QStringLiteral("一班"));
    const QString group =
        lib.GroupCode(QStringLiteral("生产部"), QStringLiteral("一班"), QStringLiteral("乙组"));
    ASSERT_FALSE(dept.isEmpty());
    ASSERT_FALSE(team.isEmpty());
    ASSERT_FALSE(group.isEmpty());
    EXPECT_EQ(edited(0), conditionRow(QStringLiteral("无效|部门|=|") + dept))
        << "the first row's connective is not checked";
    EXPECT_EQ(edited(1), conditionRow(QStringLiteral(" 并且 |班别|=|") + team));
    EXPECT_EQ(edited(2), conditionRow(QStringLiteral("或者|组别|=|") + group));
    // Rows 4 to 6 are dropped (no value, a wrong connective, no item); the
    // last condition follows the others, inside the counted range.
    EXPECT_EQ(edited(3), conditionRow(QStringLiteral("|实发工资|>|1000")));
    for (int r = 4; r < Mdlx::MaxConditions; ++r)
        EXPECT_EQ(edited(r), Mdlx::ConditionRow{}) << r;

    // The conditions read are the ones the query runs.
    EXPECT_EQ(m.CommitConditions(m.EditedCount), QString());
    m.BuildSelection();
    EXPECT_TRUE(lib.SqlWhere.endsWith(QStringLiteral("sfgz > 1000)")))
        << lib.SqlWhere.toStdString();
}

TEST_P(ConditionGridTest, TeamsAndGroupsInTheFirstRowsReadNothingAbove) {
    openTable(QStringLiteral("工资管理"));
    auto w = designer();
    fill(w->conditionGrid(), {"|班别|=|一班", "|组别|=|甲组"});
    EXPECT_NO_THROW(w->DRCX());
    EXPECT_EQ(Mdlx::instance().EditedCount, 2);
    EXPECT_EQ(edited(0)[Mdlx::Value], QString()) << "no department above: no team code";
    EXPECT_EQ(edited(1)[Mdlx::Value], QString());

    Mdlx& m = Mdlx::instance();
    m.ActiveConditions[0] = conditionRow(QStringLiteral("|组别|=|7"));
    m.ActiveConditions[1] = conditionRow(QStringLiteral("|班别|=|7"));
    m.ActiveCount = 2;
    EXPECT_NO_THROW(w->Form_Activate());
    EXPECT_EQ(w->F1Book1->CellText(1, 2), QStringLiteral("组别"));
}

TEST_P(ConditionGridTest, ActivationShowsStoredCodesAsNames) {
    openTable(QStringLiteral("工资管理"));
    SuiteLib& lib = SuiteLib::instance();
    Mdlx& m = Mdlx::instance();
    const QString dept = lib.DeptCode(Dept, QStringLiteral("技术部"));
    const QString team = lib.TeamCode(QStringLiteral("技术部"), QStringLiteral("一班"));
    const QString group =
        lib.GroupCode(QStringLiteral("技术部"), QStringLiteral("一班"), QStringLiteral("工艺组"));
    const QStringList stored = {
        QStringLiteral("|部门|=|") + dept, QStringLiteral("并且|班别|=|") + team,
        QStringLiteral("并且|组别|=|") + group, QStringLiteral("或者|实发工资|>=|") + dept};
    for (int r = 0; r < 4; ++r)
        m.ActiveConditions[std::size_t(r)] = conditionRow(stored.at(r));
    m.ActiveCount = 4;
    auto w = designer();
    EXPECT_EQ(w->activations(), 1);
    QStringList shown = {"|部门|=|技术部", "并且|班别|=|一班", "并且|组别|=|工艺组",
                         QStringLiteral("或者|实发工资|>=|") + dept};
    while (shown.size() < ConditionGrid::Rows)
        shown << QStringLiteral("|||");
    EXPECT_EQ(rows(*w->F1Book1), shown);
    // Read back, the names are the same codes again.
    w->DRCX();
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(edited(r), m.ActiveConditions[std::size_t(r)]) << r;
}

TEST_P(ConditionGridTest, EnterReachesCommand1OnlyInQueryMode) {
    openTable(QStringLiteral("工资管理"));
    auto w = designer();
    w->activateWindow();
    QApplication::processEvents();
    const auto pressEnter = [&w] {
        w->F1Book1->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(w->F1Book1->hasFocus());
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(w->F1Book1, &enter);
        QApplication::processEvents();
    };
    w->F1Book1->SetActiveCell(2, 1);
    pressEnter();
    EXPECT_TRUE(w->Command1->hasFocus());
    EXPECT_FALSE(w->F1Book1->AllowCellEditing()) << "the connective column takes no typing";

    w->Option6->setChecked(true);
    w->F1Book1->SetActiveCell(2, 4);
    pressEnter();
    EXPECT_FALSE(w->Command1->hasFocus());
    EXPECT_TRUE(w->F1Book1->hasFocus());
    EXPECT_TRUE(w->F1Book1->AllowCellEditing());
}

} // namespace

QUILL_INSTANTIATE_ENGINES(ConditionGridTest);
