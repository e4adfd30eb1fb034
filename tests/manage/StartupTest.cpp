#include "Printers.h"
#include "WindowFixture.h"

#include "demo/DemoReports.h"
#include "foundation/Mdlx.h"
#include "platform/db/Connection.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/manage/frmRSGL.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

using Startup = WindowFixture;

QStringList listTexts(const frmRSGL& w) {
    QStringList texts;
    for (int i = 0; i < w.ListView1->count(); ++i)
        texts << w.ListView1->item(i)->text();
    return texts;
}

QStringList reportsOf(const QString& table) {
    QStringList names{QStringLiteral("报表名称:")};
    for (const DemoReport& r : DemoReports::all()) {
        if (r.table == table)
            names << r.name;
    }
    return names;
}

TEST_P(Startup, OpensEachDemoTableWithItsRangeAndReports) {
    SuiteLib& lib = SuiteLib::instance();
    struct Case {
        QString title, table, kind, caption;
    };
    const QList<Case> cases = {
        {QStringLiteral("工资管理"), QStringLiteral("GZB"), QStringLiteral("time1"),
         QStringLiteral("[") + config().currentPeriod + QStringLiteral("]")},
        {QStringLiteral("考勤管理"), QStringLiteral("KQB"), QStringLiteral("date1"),
         QStringLiteral("[") + config().date1 + QStringLiteral("]")},
        {QStringLiteral("人事档案"), QStringLiteral("YGZL"), QString(), QString()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        auto w = load(c.title);
        EXPECT_EQ(ui->messageTexts(), QStringList());
        EXPECT_EQ(w->windowTitle(), c.title);
        EXPECT_EQ(lib.TableName, c.table);
        EXPECT_EQ(lib.RangeKind, c.kind);
        EXPECT_EQ(w->workingText(), c.title + c.caption);
        EXPECT_EQ(lib.RunState, QString());
        EXPECT_EQ(Mdlx::instance().PeriodFrom, config().currentPeriod);
        EXPECT_EQ(Mdlx::instance().DateTo, config().date2);
        EXPECT_EQ(w->F1Book1->LastCol(), lib.ColumnCount());
        EXPECT_FALSE(w->Image1->pixmap().isNull()) << "banner";

        show(*w);
        EXPECT_EQ(w->activations(), 1);
        EXPECT_EQ(w->Label1->text(), c.title + c.caption);
        const QStringList expected = reportsOf(c.table);
        EXPECT_EQ(listTexts(*w), expected);
        w->Form_Activate();
        EXPECT_EQ(listTexts(*w), expected) << "no duplicates after a second activation";
        EXPECT_EQ(w->activations(), 2);
        EXPECT_EQ(ui->messageTexts(), QStringList());
        w->close();
        EXPECT_TRUE(w->isUnloaded());
    }
}

TEST_P(Startup, SeedsTheCommandSettingOnce) {
    SuiteLib& lib = SuiteLib::instance();
    writeSetting(QStringLiteral("工资管理"), QString());
    load(QStringLiteral("工资管理"));
    EXPECT_EQ(
        lib.ReadSetting(QStringLiteral("QUILL"), QStringLiteral("工资管理"), lib.settingsPath()),
        QStringLiteral("-010203040506070809101112"));
    writeSetting(QStringLiteral("工资管理"), QStringLiteral("-01"));
    load(QStringLiteral("工资管理"));
    EXPECT_EQ(
        lib.ReadSetting(QStringLiteral("QUILL"), QStringLiteral("工资管理"), lib.settingsPath()),
        QStringLiteral("-01"));
}

TEST_P(Startup, ProbesTheTableWithTheLiteralOfItsFirstColumn) {
    SuiteLib& lib = SuiteLib::instance();
    // Both dialects run on SQLite; the server speaks the quote dialect only.
    QStringList kinds{QStringLiteral("2")};
    if (GetParam() == Engine::Sqlite)
        kinds.prepend(QStringLiteral("1"));
    for (const QString& kind : kinds) {
        SCOPED_TRACE(kind.toStdString());
        const bool quote = kind == QLatin1String("2");
        lib.DatabaseKind = kind;
        // KQB starts with zhdate, a date.
        auto w = load(QStringLiteral("考勤管理"));
        EXPECT_EQ(lib.SqlWhere, quote ? QStringLiteral("where zhdate = '1900-01-10'")
                                      : QStringLiteral("where zhdate = #1900-01-10#"));
        EXPECT_EQ(lib.QuerySql, QStringLiteral("select * from KQB ") + lib.SqlWhere);
        // GZB starts with zhtime, a text.
        w.reset();
        w = load(QStringLiteral("工资管理"));
        EXPECT_EQ(lib.QuerySql, QStringLiteral("select * from GZB where zhtime = ''"));
        EXPECT_EQ(lib.SqlGroup, QString());
        EXPECT_EQ(lib.SqlOrder, QString());
        EXPECT_TRUE(w->dataRecordset().State() == 1);
        EXPECT_EQ(ui->messageTexts(), QStringList());
    }
}

TEST_P(Startup, MissingTableIsReportedAndTheWindowClosesAtFirstActivation) {
    SuiteLib& lib = SuiteLib::instance();
    // A title that names no table (no dictionary rows), then a table whose
    // dictionary rows remain but which is gone from the database.
    for (const QString& title : {QStringLiteral("没有这个模块"), QStringLiteral("考勤管理")}) {
        SCOPED_TRACE(title.toStdString());
        if (title == u"考勤管理")
            lib.Connection->Execute(QStringLiteral("drop table KQB"));

        ui->clear();
        auto w = load(title);
        EXPECT_EQ(ui->messages(), (Messages{{"该数据表不存在", MsgButtons::OkOnly, {}}}));
        EXPECT_EQ(lib.RunState, QStringLiteral("exit"));
        EXPECT_FALSE(w->isUnloaded());
        show(*w);
        EXPECT_TRUE(w->isUnloaded());
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->activations(), 0);
        EXPECT_EQ(ui->messages().size(), 1);
    }
}

TEST_P(Startup, UnloadGivesTheHostItsTableBack) {
    SuiteLib& lib = SuiteLib::instance();
    lib.TableName = QStringLiteral("YGZL");
    lib.SelectTable(QStringLiteral("YGZL"));
    {
        auto w = load(QStringLiteral("工资管理"));
        EXPECT_EQ(lib.SavedTableName, QStringLiteral("YGZL"));
        EXPECT_EQ(lib.ColumnLookup(QStringLiteral("jbgz")), QStringLiteral("基本工资"));
        show(*w);
        w->MN12_Click();
        EXPECT_TRUE(w->isUnloaded());
        EXPECT_EQ(w->dataRecordset().State(), 0);
        EXPECT_EQ(lib.TableName, QStringLiteral("YGZL"));
        EXPECT_EQ(lib.ColumnLookup(QStringLiteral("jbgz")), QString());
        EXPECT_EQ(lib.ColumnLookup(QStringLiteral("birthday")), QStringLiteral("出生日期"));
    }
    // A window that is only destroyed unloads as well.
    load(QStringLiteral("考勤管理")).reset();
    EXPECT_EQ(lib.TableName, QStringLiteral("YGZL"));
    EXPECT_EQ(lib.ColumnLookup(QStringLiteral("sbsj")), QString());
}

TEST_P(Startup, QueryThatFailsAtActivationIsShownAndTheWindowCloses) {
    SuiteLib& lib = SuiteLib::instance();
    auto w = load(QStringLiteral("工资管理"));
    lib.SqlSelect = QStringLiteral("select nosuchfield ");
    show(*w);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_EQ(ui->messages()[0].text,
              QStringLiteral("select nosuchfield from GZB where zhtime = ''"));
    EXPECT_TRUE(w->isUnloaded());
    EXPECT_FALSE(w->isVisible());
}

TEST_P(Startup, LayoutFollowsTheWindowAndNeverGoesNegative) {
    auto w = load(QStringLiteral("工资管理"));
    show(*w);
    w->resize(1000, 700);
    QCoreApplication::processEvents();
    QWidget* client = w->F1Book1->parentWidget();
    const int width = client->width() * 15;
    const int height = client->height() * 15;
    const QRect list = w->ListView1->geometry();
    EXPECT_EQ(list.top(), w->Toolbar1->geometry().bottom() + 1);
    EXPECT_EQ(list.height(), (height - list.top() * 15 - 1100) / 15);
    const QRect book = w->F1Book1->geometry();
    EXPECT_EQ(book.left(), list.width());
    EXPECT_EQ(book.top(), w->Image1->geometry().bottom() + 1);
    EXPECT_EQ(book.width(), (width - book.left() * 15 - 200) / 15);
    EXPECT_EQ(book.height(), (height - book.top() * 15 - 1100) / 15);
    EXPECT_EQ(w->Image1->width(), (width - w->Image1->x() * 15 - 200) / 15);
    EXPECT_EQ(w->Label1->width(), (width - w->Label1->x() * 15 - 200) / 15);

    w->resize(60, 40);
    QCoreApplication::processEvents();
    for (QWidget* c : {static_cast<QWidget*>(w->ListView1), static_cast<QWidget*>(w->F1Book1),
                       static_cast<QWidget*>(w->Image1), static_cast<QWidget*>(w->Label1)}) {
        EXPECT_GE(c->width(), 0) << c->objectName().toStdString();
        EXPECT_GE(c->height(), 0) << c->objectName().toStdString();
    }
    EXPECT_EQ(w->F1Book1->height(), 0);
}

TEST_P(Startup, BannerFromTheSettingOrTheHomeFolderOrNone) {
    SuiteLib& lib = SuiteLib::instance();
    // 考勤管理 names its own banner; a setting naming no file falls back to
    // bramble.bmp; without that, no picture and no message.
    auto w = load(QStringLiteral("考勤管理"));
    const QPixmap own = w->Image1->pixmap();
    ASSERT_FALSE(own.isNull());
    w.reset();
    writeSetting(QStringLiteral("考勤管理IMAGE"), lib.HomeFolder + QStringLiteral("/nothing.png"));
    w = load(QStringLiteral("考勤管理"));
    const QPixmap fallback = w->Image1->pixmap();
    ASSERT_FALSE(fallback.isNull());
    EXPECT_NE(fallback.toImage(), own.toImage());
    w.reset();
    ASSERT_TRUE(QFile::remove(lib.HomeFolder + QStringLiteral("/bramble.bmp")));
    w = load(QStringLiteral("考勤管理"));
    EXPECT_TRUE(w->Image1->pixmap().isNull());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("考勤管理"));
    EXPECT_EQ(ui->messageTexts(), QStringList());
}

TEST_P(Startup, ReportListClickSetsTheReportIndexAndTheBlankForZeroFlag) {
    auto w = load(QStringLiteral("工资管理"));
    show(*w);
    EXPECT_FALSE(w->blankForZero());
    writeSetting(QStringLiteral("工资管理 0"), QStringLiteral("YES"));
    w->ListView1_ItemClick(1);
    EXPECT_EQ(Mdlx::instance().CurrentReportIndex, 0);
    EXPECT_TRUE(w->blankForZero());
    writeSetting(QStringLiteral("工资管理 0"), QStringLiteral("yes"));
    w->ListView1_ItemClick(3);
    EXPECT_EQ(Mdlx::instance().CurrentReportIndex, 2);
    EXPECT_FALSE(w->blankForZero());
}

} // namespace

QUILL_INSTANTIATE_ENGINES(Startup);
