#include "WindowFixture.h"

#include "foundation/Mdlx.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/frmRSGL.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>

using namespace quill;
using namespace quill::test;

namespace {

// Everything of the window a report choice may change.
struct WindowState {
    QStringList cells; // every cell, row by row, with the headings and the sheet name first
    QString caption;
    QString title;
    int recordCount = 0;
    QList<int> templateState; // the five parameters, pages, rows per page block
    const Recordset* data = nullptr;
    int dataState = 0;
    int dataPosition = 0;
    QStringList dataRecord;
    QStringList toolbar;  // per button: key, caption, shown, enabled
    QList<bool> commands; // MN01..MN12, MNE1..MNE3 enabled
    QStringList query;    // the five parts, QuerySql and the captions
    std::int16_t reportIndex = 0;
    Mdlx::ConditionTable conditions;
    std::int16_t conditionCount = 0;
    std::array<QString, Mdlx::MaxSumFields> sumFields;
    std::int32_t sumCount = 0;
    QString reportName;

    static WindowState of(frmRSGL& w) {
        WindowState s;
        const F1Book& book = *w.F1Book1;
        s.cells << book.SheetName(1);
        for (int c = 1; c <= book.LastCol(); ++c)
            s.cells << book.ColHeading(c);
        for (int r = 1; r <= book.LastRow(); ++r) {
            QStringList row;
            for (int c = 1; c <= book.LastCol(); ++c)
                row << book.CellEntry(r, c) + u'=' + book.CellText(r, c);
            s.cells << row.join(u'|');
        }
        s.caption = w.Label1->text();
        s.title = w.windowTitle();
        s.recordCount = w.renderer().RecordCount();
        for (int k = 1; k <= 5; ++k)
            s.templateState << w.renderer().TemplateParam(k);
        s.templateState << w.renderer().PageCount() << w.renderer().RowsPerBlock();
        Recordset& data = w.dataRecordset();
        s.data = &data;
        s.dataState = data.State();
        s.dataPosition = data.AbsolutePosition();
        for (int i = 0; data.State() == 1 && !data.Eof() && i < data.FieldCount(); ++i)
            s.dataRecord << data.Value(i).toString();
        for (int p = 1; p <= w.toolbarButtonCount(); ++p) {
            const QAction* b = w.toolbarButton(p);
            s.toolbar << QStringLiteral("%1 %2 %3 %4")
                             .arg(b->objectName(), b->text())
                             .arg(b->isVisible())
                             .arg(b->isEnabled());
        }
        for (int n = 1; n <= 12; ++n)
            s.commands << w.commandItem(n)->isEnabled();
        for (int n = 1; n <= 3; ++n)
            s.commands << w.pluginItem(n)->isEnabled();
        const SuiteLib& lib = SuiteLib::instance();
        s.query = {lib.SqlSelect,      lib.SqlFrom,       lib.SqlWhere,     lib.SqlGroup,
                   lib.SqlOrder,       lib.QuerySql,      lib.QueryCaption, lib.FilterCaption1,
                   lib.FilterCaption2, lib.FilterCaption3};
        const Mdlx& m = Mdlx::instance();
        s.reportIndex = m.CurrentReportIndex;
        s.conditions = m.ActiveConditions;
        s.conditionCount = m.ActiveCount;
        s.sumFields = m.SumFields;
        s.sumCount = m.SumCount;
        s.reportName = w.reportName();
        return s;
    }
};

void expectSame(const WindowState& now, const WindowState& before) {
    EXPECT_EQ(now.cells, before.cells) << "sheet";
    EXPECT_EQ(now.caption, before.caption);
    EXPECT_EQ(now.title, before.title);
    EXPECT_EQ(now.recordCount, before.recordCount);
    EXPECT_EQ(now.templateState, before.templateState);
    EXPECT_EQ(now.data, before.data) << "the data recordset was replaced";
    EXPECT_EQ(now.dataState, before.dataState);
    EXPECT_EQ(now.dataPosition, before.dataPosition);
    EXPECT_EQ(now.dataRecord, before.dataRecord);
    EXPECT_EQ(now.toolbar, before.toolbar);
    EXPECT_EQ(now.commands, before.commands);
    EXPECT_EQ(now.query, before.query);
    EXPECT_EQ(now.reportIndex, before.reportIndex);
    EXPECT_EQ(now.conditions, before.conditions);
    EXPECT_EQ(now.conditionCount, before.conditionCount);
    EXPECT_EQ(now.sumFields, before.sumFields);
    EXPECT_EQ(now.sumCount, before.sumCount);
    EXPECT_EQ(now.reportName, before.reportName);
}

int entryIndex(const frmRSGL& w, const QString& name) {
    for (int i = 0; i < w.ListView1->count(); ++i) {
        if (w.ListView1->item(i)->text() == name)
            return i + 1;
    }
    return 0;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class ReportRefusal : public WindowFixture {
protected:
    QString reportFile(const QString& name) const {
        return SuiteLib::instance().ReportFolder + u'/' + name + QStringLiteral(".vts");
    }
};

// A report that cannot be run is refused whole: the window keeps the report
// it showed (here a paged template, positioned on its third record), the next
// activation shows it again instead of closing the window, and a good report
// still switches fully afterwards.
TEST_P(ReportRefusal, ReportThatCannotRunLeavesTheWindowAsItWas) {
    const QString base = QStringLiteral("quill");
    const QString own = QStringLiteral("生产部一班工资");
    struct Case {
        const char* what;
        QString report;
        std::function<void()> breakIt;
        std::function<void()> mend;
        QStringList failed; // texts of the message's line naming what failed
        QString reason;     // a text of the line saying why
    };
    QByteArray baseBytes;
    QByteArray slipBytes;
    const auto path = [this](const QString& name) {
        return QStringList{QDir::toNativeSeparators(reportFile(name))};
    };
    const auto removeOwn = [this, own] { QFile::remove(reportFile(own)); };
    const QList<Case> cases = {
        {"base sheet missing", QStringLiteral("工资明细表"),
         [&] {
             baseBytes = readAll(reportFile(base));
             QFile::remove(reportFile(base));
         },
         [&] { writeAll(reportFile(base), baseBytes); }, path(base), QString()},
        {"empty template", own, [&] { writeAll(reportFile(own), QByteArray()); }, removeOwn,
         path(own), QString()},
        {"damaged template", own,
         [&] {
             slipBytes = readAll(reportFile(QStringLiteral("工资条")));
             writeAll(reportFile(own), slipBytes.left(slipBytes.size() / 2));
         },
         removeOwn, path(own), QString()},
        {"not a workbook", own, [&] { writeAll(reportFile(own), "memberid,name\nE1,张三\n"); },
         removeOwn, path(own), QString()},
        // The report was saved before its item column was dropped.
        {"query fails",
         QStringLiteral("工资明细表"),
         [] {
             SuiteLib::instance().Connection->Execute(
                 QStringLiteral("alter table GZB drop column gwjt"));
         },
         [] {},
         {QStringLiteral("select memberid,name,DEPART,GROUP0,TEAM,jbgz,gwjt,"),
          QStringLiteral(" from GZB ")},
         GetParam() == Engine::Pg ? QStringLiteral("\"gwjt\"") : QStringLiteral("gwjt")},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto w = load(QStringLiteral("工资管理"));
        show(*w);
        w->ListView1_ItemClick(entryIndex(*w, QStringLiteral("工资条")));
        ASSERT_TRUE(w->renderer().IsTemplateSheet());
        w->dataRecordset().MoveNext();
        w->dataRecordset().MoveNext();
        ASSERT_TRUE(ui->messages().isEmpty()) << ui->messageTexts().join(u'|').toStdString();
        const WindowState before = WindowState::of(*w);

        c.breakIt();
        w->ListView1_ItemClick(entryIndex(*w, c.report));
        ASSERT_EQ(ui->messages().size(), 1);
        const QString message = ui->messages().front().text;
        // What failed, then why: the report, the workbook or SQL, the reason.
        const QStringList lines = message.split(u'\n');
        ASSERT_GE(lines.size(), 3) << message.toStdString();
        const QString reason = lines.mid(2).join(u'\n');
        EXPECT_TRUE(lines[0].contains(c.report)) << message.toStdString();
        for (const QString& named : c.failed)
            EXPECT_TRUE(lines[1].contains(named)) << message.toStdString();
        EXPECT_FALSE(reason.trimmed().isEmpty());
        EXPECT_TRUE(reason.contains(c.reason)) << message.toStdString();
        expectSame(WindowState::of(*w), before);

        // The next activation runs the query the window shows, and stays.
        w->Form_Activate();
        EXPECT_FALSE(w->isUnloaded());
        EXPECT_EQ(ui->messages().size(), 1) << ui->messageTexts().join(u'|').toStdString();
        const WindowState again = WindowState::of(*w);
        EXPECT_EQ(again.cells, before.cells);
        EXPECT_EQ(again.query, before.query);
        EXPECT_EQ(again.caption, before.caption);
        EXPECT_EQ(again.recordCount, before.recordCount);

        c.mend();
        const int grouped = entryIndex(*w, QStringLiteral("部门汇总"));
        w->ListView1_ItemClick(grouped);
        EXPECT_EQ(ui->messages().size(), 1) << ui->messageTexts().join(u'|').toStdString();
        const WindowState after = WindowState::of(*w);
        EXPECT_EQ(after.reportIndex, grouped - 1);
        EXPECT_EQ(after.reportName, QStringLiteral("部门汇总"));
        EXPECT_EQ(after.caption,
                  QStringLiteral("部门汇总[") + SuiteLib::instance().CurrentPeriod + u']');
        EXPECT_EQ(SuiteLib::instance().SqlGroup, QStringLiteral(" group by DEPART"));
        EXPECT_FALSE(w->renderer().IsTemplateSheet());
        EXPECT_EQ(w->F1Book1->LastCol(), 5);
        EXPECT_EQ(w->dataRecordset().FieldCount(), 5);
        EXPECT_EQ(w->F1Book1->CellText(w->F1Book1->LastRow(), 1), QStringLiteral("合计："));
        EXPECT_EQ(after.sumCount, 3);
        EXPECT_FALSE(w->MN02->isEnabled());
        EXPECT_TRUE(w->MN10->isEnabled());
        ui->clear();
    }
}

} // namespace

QUILL_INSTANTIATE_ENGINES(ReportRefusal);
