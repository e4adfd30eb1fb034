// The designer's own query: Command1 composes it and closes, Command2 changes
// the range, Command3 leaves everything as it was; the main window then runs
// and shows the composed query, or keeps its sheet when the database refuses
// it.

#include "DesignerFixture.h"
#include "ModalSteps.h"

#include "foundation/Mdlx.h"
#include "platform/db/Connection.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/designer/frmRSCX.h"
#include "windows/dialogs/frmTIME.h"
#include "windows/manage/frmRSGL.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <functional>

using namespace quill;
using namespace quill::test;

namespace {

const QString Salary = QStringLiteral("工资管理");

// Everything the designer's query may change in the suite and the module.
struct QueryState {
    QStringList texts;
    std::int16_t index = 0;
    Mdlx::ConditionTable conditions;
    std::int16_t conditionCount = 0;
    std::array<QString, Mdlx::MaxSumFields> sums;
    std::int32_t sumCount = 0;

    static QueryState now() {
        const SuiteLib& lib = SuiteLib::instance();
        const Mdlx& m = Mdlx::instance();
        return {{lib.SqlSelect, lib.SqlFrom, lib.SqlWhere, lib.SqlGroup, lib.SqlOrder, lib.QuerySql,
                 lib.QueryCaption},
                m.CurrentReportIndex,
                m.ActiveConditions,
                m.ActiveCount,
                m.SumFields,
                m.SumCount};
    }
    bool operator==(const QueryState&) const = default;
};

class DesignerQuery : public DesignerFixture {
protected:
    // Double-clicks the List1 entries (captions apart by spaces) with the
    // option of a list.
    static void choose(frmRSCX& w, QRadioButton* option, const char* captions) {
        option->setChecked(true);
        for (const QString& caption : QString::fromUtf8(captions).split(u' ')) {
            const int row = texts(w.List1).indexOf(caption);
            ASSERT_GE(row, 0) << caption.toStdString();
            w.List1->setCurrentRow(row);
            w.List1_DblClick();
            ASSERT_TRUE(w.statusText().isEmpty()) << w.statusText().toStdString();
        }
    }
    static QString scalar(const QString& sql) {
        QSqlQuery query(SuiteLib::instance().Connection->database());
        if (!query.exec(sql) || !query.next())
            ADD_FAILURE() << sql.toStdString();
        return query.value(0).toString();
    }
    // Opens the designer from the main window (by its menu unless `open`
    // says otherwise), lets `compose` work in it and closes it as `compose`
    // does; then the main window has activated again.
    void design(const std::function<void(frmRSCX&)>& compose,
                const std::function<void()>& open = {}) {
        const int before = mainWindow->activations();
        ModalSteps steps(mainWindow.get());
        steps.then(QStringLiteral("frmRSCX"), [&](QWidget* modal) {
            auto* designer = static_cast<frmRSCX*>(modal);
            EXPECT_TRUE(designer->isModal());
            compose(*designer);
            if (designer->isVisible()) {
                ADD_FAILURE() << "the designer stayed open: "
                              << designer->statusText().toStdString();
                designer->Command3_Click();
            }
        });
        if (open)
            open();
        else
            mainWindow->MN01->trigger();
        EXPECT_EQ(steps.seen(), QStringList{QStringLiteral("frmRSCX")});
        EXPECT_EQ(mainWindow->activations(), before + 1);
    }
    // The report list entry (1 = "报表名称:") of a report.
    int entryIndex(const QString& name) const {
        return int(texts(mainWindow->ListView1).indexOf(name)) + 1;
    }
    void showMain(const QString& moduleTitle) {
        openTable(moduleTitle);
        mainWindow->show();
        QCoreApplication::processEvents();
        ASSERT_EQ(mainWindow->activations(), 1);
    }
};

TEST_P(DesignerQuery, AHundredDisplayItemsAreTakenAndNoMore) {
    openTable(Salary);
    const QStringList items = {QStringLiteral("工号"), QStringLiteral("姓名"),
                               QStringLiteral("基本工资")};
    struct Case {
        int count;
        QString refusal;
    };
    for (const Case& c :
         {Case{0, QStringLiteral("请选定显示项目！")},
          Case{101, QStringLiteral("选定显示项目的数量不能超过100个！")}, Case{100, QString()}}) {
        SCOPED_TRACE(c.count);
        SuiteLib& lib = SuiteLib::instance();
        lib.QuerySql = QStringLiteral("earlier");
        auto w = designer();
        for (int i = 0; i < c.count; ++i)
            w->itemLists().Display << items.at(i % items.size());
        w->Command1_Click();
        EXPECT_EQ(w->statusText(), c.refusal);
        EXPECT_EQ(w->isUnloaded(), c.refusal.isEmpty());
        if (c.refusal.isEmpty()) {
            EXPECT_EQ(lib.SqlSelect.count(u','), 99) << lib.SqlSelect.toStdString();
            QSqlQuery query(lib.Connection->database());
            EXPECT_TRUE(query.exec(lib.QuerySql)) << lib.QuerySql.toStdString();
        } else {
            EXPECT_EQ(lib.QuerySql, QStringLiteral("earlier"));
        }
    }
}

TEST_P(DesignerQuery, Command1ComposesTheListsAndConditionsAndCloses) {
    openTable(Salary);
    SuiteLib& lib = SuiteLib::instance();
    Mdlx& m = Mdlx::instance();
    auto w = designer();
    w->List6_Click(2);
    w->itemLists().clear(); // the report's items go, its index stays
    choose(*w, w->Option1, "姓名 部门 基本工资 发放日期");
    choose(*w, w->Option2, "姓名");
    choose(*w, w->Option3, "基本工资");
    choose(*w, w->Option4, "部门"); // the sort list is emptied
    w->conditionGrid().clear();
    fill(w->conditionGrid(), {"|发放日期|=|不是日期"});

    // A date condition that is no date: refused, nothing active changes.
    const QueryState before = QueryState::now();
    w->Command1_Click();
    EXPECT_EQ(w->statusText(), QStringLiteral("发放日期格式不对"));
    EXPECT_FALSE(w->isUnloaded());
    EXPECT_EQ(QueryState::now(), before);

    fill(w->conditionGrid(), {"|基本工资|>|3000"});
    const QString caption = w->windowTitle();
    w->Command1_Click();
    EXPECT_TRUE(w->isUnloaded()) << w->statusText().toStdString();
    const QString where =
        QStringLiteral("where zhtime='") + m.PeriodFrom + QStringLiteral("' and jbgz > 3000");
    EXPECT_EQ(lib.SqlWhere, where);
    // A text item beyond the group items is counted, a number summed; the
    // display list need not begin with the group items.
    EXPECT_EQ(lib.QuerySql, QStringLiteral("select count(name) as sumname,DEPART, sum(jbgz) as "
                                           "sumjbgz, count(ffrq) as sumffrq from GZB ") +
                                where + QStringLiteral(" group by DEPART order by DEPART"));
    EXPECT_EQ(m.SumCount, 1);
    EXPECT_EQ(m.SumFields[0], QStringLiteral("jbgz"));
    EXPECT_EQ(lib.QueryCaption, caption);
    EXPECT_EQ(m.CurrentReportIndex, 2);
    EXPECT_EQ(m.ActiveCount, 1);
    QSqlQuery query(lib.Connection->database());
    EXPECT_TRUE(query.exec(lib.QuerySql)) << lib.QuerySql.toStdString();
}

TEST_P(DesignerQuery, Command2OpensTheDialogsOfTheTablesRangeColumns) {
    for (const auto& [title, dialog] :
         {std::pair{Salary, QStringLiteral("frmTIME")},
          std::pair{QStringLiteral("考勤管理"), QStringLiteral("frmDATE")}}) {
        SCOPED_TRACE(title.toStdString());
        openTable(title);
        auto w = designer();
        ModalSteps steps(w.get());
        steps.then(dialog, [](QWidget* modal) { modal->close(); });
        w->Command2_Click();
        EXPECT_EQ(steps.seen(), QStringList{dialog});
    }
    openTable(QStringLiteral("人事档案"));
    EXPECT_FALSE(designer()->Command2->isEnabled());
}

// After the period dialog the lists and the conditions are the user's still;
// only the caption shows the new range.
TEST_P(DesignerQuery, Command2KeepsWhatTheUserComposed) {
    openTable(Salary);
    Mdlx& m = Mdlx::instance();
    auto w = designer();
    choose(*w, w->Option1, "工号 姓名 实发工资");
    choose(*w, w->Option3, "实发工资");
    fill(w->conditionGrid(), {"|部门|=|生产部"});
    const QStringList lists[] = {texts(w->List2), texts(w->List3), texts(w->List4),
                                 texts(w->List5)};
    const QStringList grid = rows(*w->F1Book1);
    QString period;
    ModalSteps steps(w.get());
    steps.then(QStringLiteral("frmTIME"), [&](QWidget* modal) {
        auto* dialog = static_cast<frmTIME*>(modal);
        for (int i = 0; i < dialog->Combo1->count() && period.isEmpty(); ++i) {
            if (dialog->Combo1->itemText(i) != m.PeriodFrom)
                period = dialog->Combo1->itemText(i);
        }
        dialog->Combo1->setEditText(period);
        dialog->Combo2->setEditText(period);
        dialog->Command1_Click();
    });
    w->Command2_Click();
    ASSERT_TRUE(steps.done());
    ASSERT_FALSE(period.isEmpty());
    EXPECT_EQ(m.PeriodFrom, period);
    EXPECT_EQ(w->windowTitle(), w->Text1->text() + u'[' + period + u']');
    const QStringList after[] = {texts(w->List2), texts(w->List3), texts(w->List4),
                                 texts(w->List5)};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(after[i], lists[i]) << "List" << i + 2;
    EXPECT_EQ(rows(*w->F1Book1), grid);
}

TEST_P(DesignerQuery, Command3LeavesTheMainWindowsQueryAsItWas) {
    showMain(Salary);
    mainWindow->ListView1_ItemClick(3);
    const QueryState before = QueryState::now();
    const QStringList sheet = rows(*mainWindow->F1Book1);
    const QString label = mainWindow->Label1->text();
    design([&](frmRSCX& w) {
        EXPECT_EQ(w.Text1->text(), mainWindow->ListView1->item(2)->text())
            << "it opens on the report the main window ran";
        w.List6_Click(1);
        w.itemLists().clear();
        choose(w, w.Option1, "实发工资");
        fill(w.conditionGrid(), {"|部门|=|生产部"});
        w.Command3_Click();
    });
    EXPECT_EQ(QueryState::now(), before);
    EXPECT_EQ(rows(*mainWindow->F1Book1), sheet);
    EXPECT_EQ(mainWindow->Label1->text(), label);
    // The toolbar's query button opens it as the menu does.
    design([](frmRSCX& w) { w.Command3->click(); },
           [this] { mainWindow->Toolbar1_ButtonClick(1); });
    EXPECT_FALSE(mainWindow->isUnloaded());
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messageTexts().join(u'|').toStdString();
}

TEST_P(DesignerQuery, AQueryTheDatabaseRefusesLeavesTheMainWindowAsItWas) {
    // The dictionary still offers a column the table no longer has.
    execAndReload(QStringLiteral("alter table GZB drop column cqts"));
    showMain(Salary);
    mainWindow->ListView1_ItemClick(3);
    const QueryState before = QueryState::now();
    const QStringList sheet = rows(*mainWindow->F1Book1);
    QString refused;
    design([&](frmRSCX& w) {
        w.List6_Click(0);
        choose(w, w.Option1, "姓名 出勤天数");
        w.Command1_Click();
        refused = SuiteLib::instance().QuerySql;
    });
    EXPECT_FALSE(mainWindow->isUnloaded());
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages().at(0).text.startsWith(refused + u'\n'))
        << ui->messages().at(0).text.toStdString();
    EXPECT_GT(ui->messages().at(0).text.size(), refused.size() + 1) << "the database's reason";
    EXPECT_EQ(QueryState::now(), before);
    EXPECT_EQ(rows(*mainWindow->F1Book1), sheet);
}

// What the main window shows after Command1 is exactly what the same query,
// written by hand, computes: rows in order, and the totals of the sum items.
struct Expected {
    QString sql;
    QString kinds;         // per column: S text as read, D "#0.00"
    QList<int> sumColumns; // from 1
};

QString shown(const QVariant& v, QChar kind) {
    if (kind == u'D')
        return QString::number(v.isNull() ? 0.0 : v.toDouble(), 'f', 2);
    return v.isNull() ? QString() : v.toString();
}

TEST_P(DesignerQuery, TheMainWindowShowsWhatTheComposedQueryComputes) {
    showMain(Salary);
    const Mdlx& m = Mdlx::instance();
    const QString production =
        scalar(QStringLiteral("select cast(proid as varchar(20)) from zdb3 where "
                              "proname='生产部' and proval=3"));
    const QString dept = QStringLiteral("(select z.proname from zdb3 z where cast(z.proid as "
                                        "varchar(20)) = g.DEPART)");
    const QString inPeriod = QStringLiteral(" where zhtime = '%1'");
    const QString pay = scalar(QStringLiteral("select avg(sfgz) from GZB"));
    const QString threshold = QString::number(int(pay.toDouble()));

    struct Case {
        const char* name;
        std::function<void(frmRSCX&)> compose;
        Expected expected;
    };
    const Case cases[] = {
        {"plain, sorted, two sums",
         [&](frmRSCX& w) {
             choose(w, w.Option1, "工号 姓名 部门 基本工资 实发工资");
             choose(w, w.Option2, "部门 工号");
             choose(w, w.Option3, "实发工资 基本工资");
             fill(w.conditionGrid(), {"|部门|=|生产部", "或者|实发工资|>|" + threshold});
         },
         {QStringLiteral("select memberid, name, %1, jbgz, sfgz from GZB g").arg(dept) + inPeriod +
              QStringLiteral(" and (DEPART = '%1' or sfgz > %2) order by DEPART, "
                             "memberid")
                  .arg(production, threshold),
          QStringLiteral("SSSDD"),
          {4, 5}}},
        {"grouped by department, a sum and a count",
         [&](frmRSCX& w) {
             choose(w, w.Option1, "部门 基本工资 姓名 实发工资");
             choose(w, w.Option4, "部门");
             choose(w, w.Option3, "实发工资");
             fill(w.conditionGrid(), {"|部门|<>|生产部", "并且|基本工资|>=|1000"});
         },
         {QStringLiteral("select %1, sum(jbgz), count(name), sum(sfgz) from GZB g").arg(dept) +
              inPeriod +
              QStringLiteral(" and (DEPART <> '%1' and jbgz >= 1000) group by "
                             "DEPART order by "
                             "DEPART")
                  .arg(production),
          QStringLiteral("SDSD"),
          {4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The paged template of the report last chosen in the main window is
        // not the table's own query's.
        mainWindow->ListView1_ItemClick(entryIndex(QStringLiteral("工资条")));
        ASSERT_TRUE(ui->messages().isEmpty()) << ui->messageTexts().join(u'|').toStdString();
        QString caption;
        design([&](frmRSCX& w) {
            w.List6_Click(0);
            w.conditionGrid().clear();
            c.compose(w);
            caption = w.windowTitle();
            w.Command1_Click();
        });
        ASSERT_TRUE(ui->messages().isEmpty()) << ui->messageTexts().join(u'|').toStdString();
        EXPECT_EQ(m.CurrentReportIndex, 0);
        EXPECT_EQ(mainWindow->reportName(), QString());
        EXPECT_EQ(mainWindow->Label1->text(), caption);

        const Expected& e = c.expected;
        QSqlQuery query(SuiteLib::instance().Connection->database());
        ASSERT_TRUE(query.exec(e.sql.arg(m.PeriodFrom))) << e.sql.toStdString();
        const F1Book& book = *mainWindow->F1Book1;
        ASSERT_EQ(book.LastCol(), e.kinds.size());
        std::vector<double> totals(std::size_t(e.kinds.size()) + 1, 0.0);
        int n = 0;
        while (query.next()) {
            ++n;
            for (int col = 1; col <= e.kinds.size(); ++col) {
                const QString text = shown(query.value(col - 1), e.kinds.at(col - 1));
                EXPECT_EQ(book.CellText(n, col), text) << "row " << n << " column " << col;
                totals[std::size_t(col)] += text.toDouble();
            }
        }
        ASSERT_GT(n, 1) << "the query selects too few records to prove anything";
        ASSERT_EQ(book.LastRow(), n + 1);
        EXPECT_EQ(book.CellText(n + 1, 1), QStringLiteral("合计："));
        for (int col = 2; col <= e.kinds.size(); ++col) {
            const QString total = e.sumColumns.contains(col)
                                      ? QString::number(totals[std::size_t(col)], 'f', 2)
                                      : QString();
            EXPECT_EQ(book.CellText(n + 1, col), total) << "total of column " << col;
        }
    }
}

} // namespace

QUILL_INSTANTIATE_ENGINES(DesignerQuery);
