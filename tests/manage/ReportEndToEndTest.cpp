#include "Printers.h"
#include "WindowFixture.h"

#include "demo/DemoReports.h"
#include "demo/DemoSchema.h"
#include "foundation/Mdlx.h"
#include "platform/db/Connection.h"
#include "platform/grid/F1Book.h"
#include "platform/vb/Val.h"
#include "suite/SuiteLib.h"
#include "windows/manage/frmRSGL.h"

#include <QAction>
#include <QDate>
#include <QLabel>
#include <QListWidget>
#include <QSqlQuery>

#include <algorithm>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

// What a demo report must show, worked out without the module: a query of
// the display values in display order (organisation names looked up in
// zdb3 by the stored code), how each column is written, and which columns
// get a total.
struct Expected {
    QString sql;
    // Per column: S text as read, D "#0.00", T "yyyy-mm-dd", t "yy-mm-dd".
    QString kinds;
    QList<int> sumColumns; // from 1
    bool paged = false;    // the report's own workbook: 4 header rows, 10 records, 4 footer rows
};

QString unit(const char* field) {
    return QStringLiteral("(select z.proname from zdb3 z where cast(z.proid as varchar(20)) = g.") +
           QLatin1String(field) + QLatin1Char(')');
}

Expected expectedFor(const DemoReport& r, const QString& period, const QString& day) {
    const QString dept = unit("DEPART");
    const QString team = unit("GROUP0");
    const QString group = unit("TEAM");
    const QString inPeriod = QStringLiteral(" where zhtime = '") + period + QLatin1Char('\'');
    const QString onDay = QStringLiteral(" where zhdate = '") + day + QLatin1Char('\'');
    const std::pair<QString, Expected> all[] = {
        {"GZB/工资明细表",
         {QStringLiteral("select memberid, name, %1, %2, %3, jbgz, gwjt, jxjj, jbf, sumAMOUNT, kk, "
                         "sfgz from GZB g")
                  .arg(dept, team, group) +
              inPeriod + " order by DEPART, memberid",
          "SSSSSDDDDDDD",
          {}}},
        {"GZB/部门汇总",
         {QStringLiteral("select %1, sum(jbgz), sum(jxjj), sum(sumAMOUNT), sum(sfgz) from GZB g")
                  .arg(dept) +
              inPeriod + " group by DEPART order by DEPART",
          "SDDDD",
          {2, 4, 5}}},
        {"GZB/生产部一班工资",
         {QStringLiteral("select memberid, name, %1, %2, %3, jbgz, sumAMOUNT, sfgz from GZB g")
                  .arg(dept, team, group) +
              inPeriod +
              QStringLiteral(" and %1 = '生产部' and %2 = '一班' and sfgz > 1000 order by memberid")
                  .arg(dept, team),
          "SSSSSDDD",
          {7, 8}}},
        {"GZB/工资条",
         {QStringLiteral("select memberid, name, %1, jbgz, jxjj, sumAMOUNT, kk, sfgz from GZB g")
                  .arg(dept) +
              inPeriod + " order by memberid",
          "SSSDDDDD",
          {6, 8},
          true}},
        {"YGZL/员工花名册",
         {QStringLiteral("select memberid, name, sex, %1, %2, %3, birthday, xl, joindate from YGZL "
                         "g where %1 = '技术部' or %1 = '销售部' order by DEPART, memberid")
              .arg(dept, team, group),
          "SSSSSSTSt",
          {}}},
        {"KQB/部门汇总",
         {QStringLiteral("select %1, sum(gs), sum(jbgs) from KQB g").arg(dept) + onDay +
              " group by DEPART order by DEPART",
          "SDD",
          {2, 3}}},
        {"KQB/加班统计",
         {"select memberid, name, sum(jbgs) from KQB g" + onDay +
              " and jbgs > 0 group by memberid, name order by memberid, name",
          "SSD",
          {3}}},
    };
    for (const auto& [key, expected] : all) {
        if (key == r.table + u'/' + r.name)
            return expected;
    }
    return {};
}

QString shown(const QVariant& v, QChar kind) {
    switch (kind.unicode()) {
    case u'D':
        return QString::number(v.isNull() ? 0.0 : v.toDouble(), 'f', 2);
    case u'T':
        return v.isNull() ? QString() : v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case u't':
        return v.isNull() ? QString() : v.toDate().toString(QStringLiteral("yy-MM-dd"));
    default:
        return v.isNull() ? QString() : v.toString();
    }
}

using ReportEndToEnd = WindowFixture;

TEST_P(ReportEndToEnd, EverySavedReportShowsWhatItsQueryComputes) {
    for (const DemoReport& report : DemoReports::all()) {
        SCOPED_TRACE((report.table + QLatin1Char('/') + report.name).toStdString());
        auto w = load(DemoSchema::table(report.table).moduleTitle);
        show(*w);
        ASSERT_EQ(ui->messageTexts(), QStringList());
        const int index = entry(*w, report.name);
        ASSERT_GT(index, 1);
        w->ListView1_ItemClick(index);
        ASSERT_EQ(ui->messageTexts(), QStringList());

        const SuiteLib& lib = SuiteLib::instance();
        const Mdlx& m = Mdlx::instance();
        EXPECT_EQ(m.CurrentReportIndex, index - 1);
        const QString range = lib.RangeKind == QLatin1String("time1")   ? m.PeriodFrom
                              : lib.RangeKind == QLatin1String("date1") ? m.DateFrom
                                                                        : QString();
        EXPECT_EQ(w->Label1->text(),
                  report.name + (range.isEmpty() ? QString() : u'[' + range + u']'));

        const Expected e = expectedFor(report, m.PeriodFrom, m.DateFrom);
        ASSERT_FALSE(e.sql.isEmpty()) << "no expected query for this report";
        QSqlQuery query(lib.Connection->database());
        ASSERT_TRUE(query.exec(e.sql)) << e.sql.toStdString();
        const F1Book& book = *w->F1Book1;
        ASSERT_EQ(book.LastCol(), e.kinds.size());
        std::vector<double> totals(std::size_t(e.kinds.size()) + 1, 0.0);
        int n = 0;
        while (query.next()) {
            ++n;
            const int row = e.paged ? (n - 1) / 10 * 18 + 4 + (n - 1) % 10 + 1 : n;
            for (int c = 1; c <= e.kinds.size(); ++c) {
                const QString text = shown(query.value(c - 1), e.kinds.at(c - 1));
                EXPECT_EQ(book.CellText(row, c), text) << "row " << n << " column " << c;
                totals[std::size_t(c)] += text.toDouble();
            }
        }
        ASSERT_GT(n, 0) << "the report selects no records";
        const int sums = e.paged ? ((n + 9) / 10) * 18 + 1 : n + 1;
        ASSERT_EQ(book.LastRow(), sums);
        EXPECT_EQ(book.CellText(sums, 1), QStringLiteral("合计："));
        for (int c = 2; c <= e.kinds.size(); ++c) {
            const QString total = e.sumColumns.contains(c)
                                      ? QString::number(totals[std::size_t(c)], 'f', 2)
                                      : QString();
            EXPECT_EQ(book.CellText(sums, c), total) << "total of column " << c;
        }
        // Each page of the pay slips: its title, headings and period; the
        // template's footer labels with the names counted on the page and so
        // far; the page number; the pay summed so far under the last page.
        const int pages = e.paged ? (n + 9) / 10 : 0;
        for (int page = 0; page < pages; ++page) {
            const int top = page * 18;
            SCOPED_TRACE(page);
            EXPECT_EQ(book.CellText(top + 2, 1), report.name);
            EXPECT_EQ(book.CellText(top + 3, 4), m.PeriodFrom);
            EXPECT_EQ(book.CellText(top + 4, 2), QStringLiteral("姓名"));
            EXPECT_EQ(book.CellText(top + 16, 1), QStringLiteral("本页合计"));
            EXPECT_EQ(book.CellText(top + 17, 1), QStringLiteral("累计"));
            EXPECT_EQ(book.CellText(top + 16, 2), QString::number(std::min(10, n - 10 * page)));
            EXPECT_EQ(book.CellText(top + 17, 2), QString::number(std::min(n, 10 * page + 10)));
            EXPECT_EQ(book.CellText(top + 18, 8),
                      QStringLiteral("第%1页,共%2页").arg(page + 1).arg(pages));
        }
        if (e.paged) {
            EXPECT_NEAR(vb::Val(book.CellText(sums - 2, 8)), totals[8], 0.005);
        }
        w.reset();
    }
}

// Every cell of the sheet, row by row.
QStringList sheetTexts(const F1Book& book) {
    QStringList rows;
    for (int r = 1; r <= book.LastRow(); ++r) {
        QStringList cells;
        for (int c = 1; c <= book.LastCol(); ++c)
            cells << book.CellText(r, c);
        rows << cells.join(u'|');
    }
    return rows;
}

TEST_P(ReportEndToEnd, HeadingAndVanishedReportLeaveTheSheetAsItWas) {
    auto w = load(QStringLiteral("工资管理"));
    show(*w);
    const SuiteLib& lib = SuiteLib::instance();
    const Mdlx& m = Mdlx::instance();
    const QStringList ownQuery = sheetTexts(*w->F1Book1);
    const QString ownSql = lib.QuerySql;
    const QString ownCaption = w->Label1->text();

    w->ListView1_ItemClick(1);
    EXPECT_EQ(m.CurrentReportIndex, 0);
    EXPECT_EQ(sheetTexts(*w->F1Book1), ownQuery);
    EXPECT_EQ(lib.QuerySql, ownSql);
    EXPECT_EQ(w->Label1->text(), ownCaption);

    // A grouped report by one item: no editing, but a chart.
    const int grouped = entry(*w, QStringLiteral("部门汇总"));
    w->ListView1_ItemClick(grouped);
    EXPECT_EQ(lib.SqlGroup, QStringLiteral(" group by DEPART"));
    EXPECT_NE(sheetTexts(*w->F1Book1), ownQuery);
    for (int n = 2; n <= 6; ++n)
        EXPECT_FALSE(w->commandItem(n)->isEnabled()) << "MN0" << n;
    EXPECT_FALSE(w->toolbarButton(5)->isVisible());
    EXPECT_TRUE(w->MN10->isEnabled());
    EXPECT_TRUE(w->toolbarButton(13)->isVisible());

    // Someone deletes a report while the list still shows it.
    const QStringList groupedSheet = sheetTexts(*w->F1Book1);
    const QString groupedSql = lib.QuerySql;
    lib.Connection->Execute(QStringLiteral("delete from zdb1 where proname='工资明细表'"));
    pick(*w, QStringLiteral("工资明细表"));
    ASSERT_EQ(ui->messageTexts(),
              QStringList{QStringLiteral("报表'工资明细表'已不存在,可能已被删除。")});
    EXPECT_EQ(m.CurrentReportIndex, grouped - 1);
    EXPECT_EQ(sheetTexts(*w->F1Book1), groupedSheet);
    EXPECT_EQ(lib.QuerySql, groupedSql);
    EXPECT_FALSE(w->MN02->isEnabled());
}

// Employee rows are edited in the grid only on a sheet that starts with the
// employee number: the rule asks the sheet the chosen report shows, not the
// one it replaces.
TEST_P(ReportEndToEnd, EmployeeEditingFollowsTheChosenReportsFirstColumn) {
    auto w = load(QStringLiteral("人事档案"));
    addReport(QStringLiteral("按姓名"), {"name", "memberid"});
    show(*w);
    ASSERT_EQ(w->F1Book1->ColHeading(1), QStringLiteral("工号"));
    ASSERT_TRUE(w->MN05->isEnabled());

    pick(*w, QStringLiteral("按姓名"));
    ASSERT_EQ(ui->messageTexts(), QStringList());
    EXPECT_EQ(w->F1Book1->ColHeading(1), QStringLiteral("姓名"));
    EXPECT_FALSE(w->MN05->isEnabled());
    EXPECT_FALSE(w->MN06->isEnabled());
    EXPECT_FALSE(w->toolbarButton(8)->isVisible());
    EXPECT_FALSE(w->toolbarButton(9)->isVisible());

    pick(*w, QStringLiteral("员工花名册"));
    EXPECT_EQ(w->F1Book1->ColHeading(1), QStringLiteral("工号"));
    EXPECT_TRUE(w->MN05->isEnabled());
    EXPECT_TRUE(w->toolbarButton(8)->isVisible());
}

} // namespace

QUILL_INSTANTIATE_ENGINES(ReportEndToEnd);
