#include "DesignerFixture.h"

#include "foundation/ReportLists.h"
#include "windows/designer/ItemLists.h"
#include "windows/designer/frmRSCX.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <tuple>

using namespace quill;
using namespace quill::test;

namespace {

using Kind = ItemLists::Kind;

const QString Dept = QStringLiteral("部门");
const QString Team = QStringLiteral("班别");
const QString Group = QStringLiteral("组别");
const QString No = QStringLiteral("工号");
const QString Name = QStringLiteral("姓名");
const QString Pay = QStringLiteral("基本工资");  // D
const QString Days = QStringLiteral("出勤天数"); // I

// The four lists written as "display|sort|sum|group", entries apart by spaces.
void setLists(ItemLists& lists, const char* text) {
    const QStringList parts = QString::fromUtf8(text).split(u'|');
    for (const Kind k : {Kind::Display, Kind::Sort, Kind::Sum, Kind::Group})
        lists.list(k) = parts.value(int(k)).split(u' ', Qt::SkipEmptyParts);
}

QString written(const ItemLists& lists) {
    QStringList parts;
    for (const Kind k : {Kind::Display, Kind::Sort, Kind::Sum, Kind::Group})
        parts << lists.list(k).join(u' ');
    return parts.join(u'|');
}

struct Step {
    enum Op { Add, Insert, RemoveDisplay, Remove };
    Op op;
    Kind kind;
    QString item;
    int index;
};

struct Case {
    const char* what;
    const char* before;
    Step step;
    std::optional<QString> message;
    const char* after;
};

class ItemListRules : public DesignerFixture {};

TEST_P(ItemListRules, AddAndRemoveFollowTheRulesOfEachList) {
    openTable(QStringLiteral("工资管理"));
    const QString already = QStringLiteral("已有此项！");
    const QString notShown = QStringLiteral("显示项中无此项！");
    const QString notNumber = QStringLiteral("非数字项！");
    const auto add = [](Kind kind, const QString& item) { return Step{Step::Add, kind, item, -1}; };
    const auto insert = [](const QString& item, int at) {
        return Step{Step::Insert, Kind::Display, item, at};
    };
    const auto drop = [](int index) { return Step{Step::RemoveDisplay, Kind::Display, {}, index}; };
    const auto remove = [](Kind kind, int index) { return Step{Step::Remove, kind, {}, index}; };
    const std::nullopt_t ok = std::nullopt;
    // Pay (基本工资) is a decimal item, Days (出勤天数) a whole number.
    const QList<Case> cases = {
        {"a display duplicate is refused, the sort list emptied all the same", "工号 姓名|工号||",
         add(Kind::Display, No), already, "工号 姓名|||"},
        {"a team before its department", "工号|||", add(Kind::Display, Team),
         QStringLiteral("添加班名须先添加部门"), "工号|||"},
        {"a team once its department is shown", "部门|||", add(Kind::Display, Team), ok,
         "部门 班别|||"},
        {"a group before its team", "部门|||", add(Kind::Display, Group),
         QStringLiteral("添加组名须先添加班名"), "部门|||"},
        {"a display item at the end", "工号|||", add(Kind::Display, Name), ok, "工号 姓名|||"},
        {"insert mode puts the item before the selected entry", "工号 姓名 基本工资|||",
         insert(Dept, 1), ok, "工号 部门 姓名 基本工资|||"},
        {"insert mode without a selection puts the item first", "工号 姓名|||", insert(Dept, -1),
         ok, "部门 工号 姓名|||"},
        {"a sort item not shown; the group list is emptied first", "工号 部门|||部门",
         add(Kind::Sort, Name), notShown, "工号 部门|||"},
        {"a sort item with no display items: silence", "|||", add(Kind::Sort, Name), ok, "|||"},
        {"a sort duplicate", "工号|工号||", add(Kind::Sort, No), already, "工号|工号||"},
        {"a shown sort item", "工号 姓名|工号||", add(Kind::Sort, Name), ok,
         "工号 姓名|工号 姓名||"},
        {"a text item is not summed", "姓名|||", add(Kind::Sum, Name), notNumber, "姓名|||"},
        {"a text item is not summed, even with no display items", "|||", add(Kind::Sum, Name),
         notNumber, "|||"},
        {"a numeric sum item not shown", "姓名|||", add(Kind::Sum, Pay), notShown, "姓名|||"},
        {"a whole-number sum item; the sort list stays", "出勤天数 基本工资|基本工资|基本工资|",
         add(Kind::Sum, Days), ok, "出勤天数 基本工资|基本工资|基本工资 出勤天数|"},
        {"a sum duplicate", "基本工资||基本工资|", add(Kind::Sum, Pay), already,
         "基本工资||基本工资|"},
        {"a numeric group item; the sort list is emptied first", "基本工资|基本工资||",
         add(Kind::Group, Pay), QStringLiteral("数字项！"), "基本工资|||"},
        {"a group item not shown", "工号|||", add(Kind::Group, Dept), notShown, "工号|||"},
        {"a shown group item", "部门 基本工资|||", add(Kind::Group, Dept), ok,
         "部门 基本工资|||部门"},
        {"a department while its team is shown", "部门 班别|||", drop(0),
         QStringLiteral("删除部门须先删除班名"), "部门 班别|||"},
        {"a team while its group is shown", "部门 班别 组别|||", drop(1),
         QStringLiteral("删除班名须先删除组名"), "部门 班别 组别|||"},
        {"the group, then nothing holds the team", "部门 班别 组别|||", drop(2), ok,
         "部门 班别|||"},
        {"a display item leaves the sort, sum and group lists with it",
         "部门 基本工资 工号|基本工资|基本工资|部门", drop(1), ok, "部门 工号|||部门"},
        {"the department leaves the group list", "部门 基本工资||基本工资|部门", drop(0), ok,
         "基本工资||基本工资|"},
        {"a sort entry", "工号 姓名|工号 姓名||", remove(Kind::Sort, 0), ok, "工号 姓名|姓名||"},
        {"a group entry", "部门 姓名|||部门 姓名", remove(Kind::Group, 1), ok, "部门 姓名|||部门"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ItemLists lists;
        setLists(lists, c.before);
        std::optional<QString> message;
        switch (c.step.op) {
        case Step::Add:
            message = lists.add(c.step.kind, c.step.item);
            break;
        case Step::Insert:
            message = lists.add(c.step.kind, c.step.item, true, c.step.index);
            break;
        case Step::RemoveDisplay:
            message = lists.removeDisplay(c.step.index);
            break;
        case Step::Remove:
            lists.remove(c.step.kind, c.step.index);
            break;
        }
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(written(lists).toStdString(), c.after);
    }
}

TEST_P(ItemListRules, AStoredReportShowsItsFieldsAsCaptions) {
    openTable(QStringLiteral("工资管理"));
    ReportLists stored;
    const QList<QStringList> rows = {{QStringLiteral("memberid"), QStringLiteral("DEPART"),
                                      QStringLiteral("sfgz"), QStringLiteral("depart")},
                                     {QStringLiteral("nosuch"), QString(), QString(), QString()},
                                     {QStringLiteral("SFGZ"), QString(), QString(), QString()}};
    for (const QStringList& row : rows) {
        stored.Display.addRow(row.at(0));
        stored.Sort.addRow(row.at(1));
        stored.Sum.addRow(row.at(2));
        stored.Group.addRow(row.at(3));
    }
    ItemLists lists;
    lists.Sum = QStringList{Name};
    lists.load(stored);
    EXPECT_EQ(lists.Display, (QStringList{No, QStringLiteral("实发工资")}))
        << "a field the table no longer has is left out";
    EXPECT_EQ(lists.Sort, QStringList{Dept});
    EXPECT_EQ(lists.Sum, QStringList{QStringLiteral("实发工资")});
    EXPECT_EQ(lists.Group, QStringList{Dept});
}

// The controls of the real window reach the rules: the option chosen, the
// entries selected, the status bar.
class ItemListWindow : public DesignerFixture {
protected:
    // Double-clicks the List1 entries, captions apart by spaces.
    static void addFromList1(frmRSCX& w, const QString& items) {
        for (const QString& item : items.split(u' ')) {
            const QList<QListWidgetItem*> found = w.List1->findItems(item, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << item.toStdString();
            w.List1->setCurrentItem(found.first());
            w.List1_DblClick();
        }
    }
    static void select(QListWidget* list, const QString& entry) {
        list->setCurrentItem(list->findItems(entry, Qt::MatchExactly).value(0));
    }
};

TEST_P(ItemListWindow, MemoAndObjectItemsAreNeverOffered) {
    openTable(QStringLiteral("人事档案"));
    auto w = designer();
    const QStringList offered = texts(w->List1);
    EXPECT_EQ(offered, (QStringList{No, Name, QStringLiteral("性别"), Dept, Team, Group,
                                    QStringLiteral("出生日期"), QStringLiteral("学历"),
                                    QStringLiteral("卡号"), QStringLiteral("入职日期"),
                                    QStringLiteral("在职"), QStringLiteral("照片")}));
    EXPECT_EQ(w->List1->currentRow(), 0);
}

TEST_P(ItemListWindow, DoubleClicksFillAndEmptyTheListsWithTheirMessages) {
    openTable(QStringLiteral("工资管理"));
    auto w = designer();
    ASSERT_TRUE(w->Option1->isChecked());

    addFromList1(*w, Team);
    EXPECT_EQ(w->statusText(), QStringLiteral("添加班名须先添加部门"));
    EXPECT_TRUE(texts(w->List2).isEmpty());
    addFromList1(*w, Dept);
    EXPECT_EQ(w->statusText(), QString()) << "each double click clears the status bar first";
    addFromList1(*w, QStringLiteral("班别 基本工资"));
    EXPECT_EQ(texts(w->List2), (QStringList{Dept, Team, Pay}));

    w->Option2->setChecked(true);
    addFromList1(*w, Pay);
    EXPECT_EQ(texts(w->List3), QStringList{Pay});
    w->Option3->setChecked(true);
    addFromList1(*w, Pay);
    EXPECT_EQ(texts(w->List4), QStringList{Pay});
    w->Option4->setChecked(true);
    addFromList1(*w, Pay);
    EXPECT_EQ(w->statusText(), QStringLiteral("数字项！"));
    EXPECT_TRUE(texts(w->List3).isEmpty()) << "a group choice empties the sort list first";
    addFromList1(*w, Dept);
    EXPECT_EQ(texts(w->List5), QStringList{Dept});

    select(w->List2, Dept);
    w->List2_DblClick();
    EXPECT_EQ(w->statusText(), QStringLiteral("删除部门须先删除班名"));
    EXPECT_EQ(texts(w->List2), (QStringList{Dept, Team, Pay}));
    select(w->List2, Pay);
    w->List2_DblClick();
    EXPECT_EQ(texts(w->List2), (QStringList{Dept, Team}));
    EXPECT_TRUE(texts(w->List4).isEmpty()) << "the sum item left with its display item";
    EXPECT_EQ(w->List2->currentRow(), -1);

    w->List2->setCurrentRow(-1);
    w->List2_DblClick();
    EXPECT_EQ(texts(w->List2), (QStringList{Dept, Team})) << "no selection, no removal";
}

TEST_P(ItemListWindow, InsertModePutsTheItemBeforeTheSelectedEntry) {
    openTable(QStringLiteral("工资管理"));
    auto w = designer();
    addFromList1(*w, QStringLiteral("工号 姓名 基本工资"));
    w->Check2->setChecked(true);
    w->List2->setCurrentRow(1);
    addFromList1(*w, Days);
    EXPECT_EQ(texts(w->List2), (QStringList{No, Days, Name, Pay}));
    EXPECT_EQ(w->List2->currentRow(), 1) << "the selection stays where it was";

    w->Option2->setChecked(true);
    addFromList1(*w, QStringLiteral("姓名 工号"));
    EXPECT_EQ(texts(w->List3), (QStringList{Name, No})) << "insert mode is for display items";

    w->Option4->setChecked(true);
    EXPECT_FALSE(w->Check2->isEnabled());
    EXPECT_FALSE(w->Check2->isChecked());
    w->Option3->setChecked(true);
    EXPECT_TRUE(w->Check2->isEnabled());
}

TEST_P(ItemListWindow, Label3SelectsAllThenClearsAllAndKeepsTheSums) {
    openTable(QStringLiteral("工资管理"));
    auto w = designer();
    addFromList1(*w, Pay);
    w->Option2->setChecked(true);
    addFromList1(*w, Pay);
    w->Option3->setChecked(true);
    addFromList1(*w, Pay);
    ASSERT_EQ(w->Label3->text(), QStringLiteral("[全选]"));

    w->Label3_Click();
    EXPECT_TRUE(w->Option1->isChecked());
    EXPECT_EQ(w->Label3->text(), QStringLiteral("[全清]"));
    EXPECT_EQ(texts(w->List2), texts(w->List1));
    EXPECT_TRUE(texts(w->List3).isEmpty());
    EXPECT_EQ(texts(w->List4), QStringList{Pay});

    w->Label3_Click();
    EXPECT_EQ(w->Label3->text(), QStringLiteral("[全选]"));
    EXPECT_TRUE(texts(w->List2).isEmpty());
    EXPECT_TRUE(texts(w->List3).isEmpty());
    EXPECT_TRUE(texts(w->List5).isEmpty());
    EXPECT_EQ(texts(w->List4), QStringList{Pay});
}

TEST_P(ItemListWindow, SortSumAndGroupEntriesLeaveOnADoubleClick) {
    openTable(QStringLiteral("工资管理"));
    auto w = designer();
    addFromList1(*w, QStringLiteral("部门 基本工资 出勤天数"));
    // Sorting and grouping exclude each other: each choice empties the other.
    const QList<std::tuple<QRadioButton*, QListWidget*, void (frmRSCX::*)(), QStringList>> lists = {
        {w->Option3, w->List4, &frmRSCX::List4_DblClick, {Pay, Days}},
        {w->Option2, w->List3, &frmRSCX::List3_DblClick, {Dept, Pay}},
        {w->Option4, w->List5, &frmRSCX::List5_DblClick, {Dept}}};
    for (const auto& [option, list, handler, items] : lists) {
        SCOPED_TRACE(list->objectName().toStdString());
        option->setChecked(true);
        addFromList1(*w, items.join(u' '));
        ASSERT_EQ(texts(list), items);
        list->setCurrentRow(-1);
        ((*w).*handler)();
        EXPECT_EQ(texts(list), items) << "nothing selected";
        list->setCurrentRow(0);
        ((*w).*handler)();
        EXPECT_EQ(texts(list), items.mid(1));
        EXPECT_EQ(list->currentRow(), -1);
    }
    EXPECT_EQ(texts(w->List2), (QStringList{Dept, Pay, Days}));
    EXPECT_EQ(texts(w->List4), QStringList{Days});
}

TEST_P(ItemListWindow, ModesEnableTheirButtons) {
    openTable(QStringLiteral("工资管理"));
    auto w = designer();
    w->Option3->setChecked(true);
    addFromList1(*w, Name);
    ASSERT_FALSE(w->statusText().isEmpty());
    w->Option6->setChecked(true);
    EXPECT_TRUE(w->Option3->isChecked()) << "modes and lists choose apart";
    EXPECT_EQ(w->statusText(), QString());
    EXPECT_FALSE(w->Command1->isEnabled());
    for (QPushButton* b : {w->Command3, w->Command4, w->Command5, w->Command6})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    w->Option5->setChecked(true);
    EXPECT_TRUE(w->Command1->isEnabled());
    EXPECT_TRUE(w->Command3->isEnabled());
    for (QPushButton* b : {w->Command4, w->Command5, w->Command6})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
}

} // namespace

QUILL_INSTANTIATE_ENGINES(ItemListRules);
QUILL_INSTANTIATE_ENGINES(ItemListWindow);
