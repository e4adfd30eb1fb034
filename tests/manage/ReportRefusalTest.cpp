#include "Printers.h"
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

#include <gtest/gtest.h>

#include <functional>

using namespace quill;
using namespace quill::test;

namespace {

// Everything of the window a report choice may change, a line per part.
QStringList windowState(frmRSGL& w) {
    QStringList s;
    const F1Book& book = *w.F1Book1;
    s << QStringLiteral("sheet ") + book.SheetName(1);
    for (int c = 1; c <= book.LastCol(); ++c)
        s << QStringLiteral("heading ") + book.ColHeading(c);
    for (int r = 1; r <= book.LastRow(); ++r) {
        QStringList row;
        for (int c = 1; c <= book.LastCol(); ++c)
            row << book.CellEntry(r, c) + u'=' + book.CellText(r, c);
        s << QStringLiteral("row ") + row.join(u'|');
    }
    const ResultSheetRenderer& run = w.renderer();
    s << QStringLiteral("caption ") + w.Label1->text() << QStringLiteral("title ") + w.windowTitle()
      << QStringLiteral("records %1").arg(run.RecordCount());
    QString layout = QStringLiteral("template");
    for (int k = 1; k <= 5; ++k)
        layout += QStringLiteral(" %1").arg(run.TemplateParam(k));
    s << layout + QStringLiteral(" pages %1 block %2").arg(run.PageCount()).arg(run.RowsPerBlock());
    // The recordset shown is the same object, in the same state and place.
    Recordset& data = w.dataRecordset();
    s << QStringLiteral("data %1 %2 %3")
             .arg(quintptr(&data))
             .arg(data.State())
             .arg(data.AbsolutePosition());
    for (int i = 0; data.State() == 1 && !data.Eof() && i < data.FieldCount(); ++i)
        s << QStringLiteral("field ") + data.Value(i).toString();
    for (int p = 1; p <= w.toolbarButtonCount(); ++p) {
        const QAction* b = w.toolbarButton(p);
        s << QStringLiteral("button %1 %2 %3 %4")
                 .arg(b->objectName(), b->text())
                 .arg(b->isVisible())
                 .arg(b->isEnabled());
    }
    for (int n = 1; n <= 12; ++n)
        s << QStringLiteral("MN%1 %2").arg(n).arg(w.commandItem(n)->isEnabled());
    for (int n = 1; n <= 3; ++n)
        s << QStringLiteral("MNE%1 %2").arg(n).arg(w.pluginItem(n)->isEnabled());
    const SuiteLib& lib = SuiteLib::instance();
    for (const QString& part :
         {lib.SqlSelect, lib.SqlFrom, lib.SqlWhere, lib.SqlGroup, lib.SqlOrder, lib.QuerySql,
          lib.QueryCaption, lib.FilterCaption1, lib.FilterCaption2, lib.FilterCaption3})
        s << QStringLiteral("query ") + part;
    const Mdlx& m = Mdlx::instance();
    s << QStringLiteral("report %1 %2").arg(m.CurrentReportIndex).arg(w.reportName())
      << QStringLiteral("conditions %1").arg(m.ActiveCount);
    for (const Mdlx::ConditionRow& row : m.ActiveConditions)
        s << QStringLiteral("condition ") + QStringList(row.begin(), row.end()).join(u'|');
    s << QStringLiteral("sums %1 ").arg(m.SumCount) +
             QStringList(m.SumFields.begin(), m.SumFields.end()).join(u'|');
    return s;
}

// The lines of the state that start with one of the prefixes.
QStringList part(const QStringList& state, const QStringList& prefixes) {
    QStringList lines;
    for (const QString& line : state) {
        for (const QString& prefix : prefixes) {
            if (line.startsWith(prefix + u' '))
                lines << line;
        }
    }
    return lines;
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
        auto w = opened();
        pick(*w, QStringLiteral("工资条"));
        ASSERT_TRUE(w->renderer().IsTemplateSheet());
        w->dataRecordset().MoveNext();
        w->dataRecordset().MoveNext();
        ASSERT_EQ(ui->messageTexts(), QStringList());
        const QStringList before = windowState(*w);

        c.breakIt();
        pick(*w, c.report);
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
        EXPECT_EQ(windowState(*w), before);

        // The next activation runs the query the window shows, and stays.
        w->Form_Activate();
        EXPECT_FALSE(w->isUnloaded());
        EXPECT_EQ(ui->messages().size(), 1) << ui->messageTexts().join(u'|').toStdString();
        const QStringList shown{"sheet", "heading", "row", "query", "caption", "records"};
        EXPECT_EQ(part(windowState(*w), shown), part(before, shown));

        c.mend();
        const int grouped = entry(*w, QStringLiteral("部门汇总"));
        w->ListView1_ItemClick(grouped);
        EXPECT_EQ(ui->messages().size(), 1) << ui->messageTexts().join(u'|').toStdString();
        EXPECT_EQ(Mdlx::instance().CurrentReportIndex, grouped - 1);
        EXPECT_EQ(w->reportName(), QStringLiteral("部门汇总"));
        EXPECT_EQ(w->Label1->text(),
                  QStringLiteral("部门汇总[") + SuiteLib::instance().CurrentPeriod + u']');
        EXPECT_EQ(SuiteLib::instance().SqlGroup, QStringLiteral(" group by DEPART"));
        EXPECT_FALSE(w->renderer().IsTemplateSheet());
        EXPECT_EQ(w->F1Book1->LastCol(), 5);
        EXPECT_EQ(w->dataRecordset().FieldCount(), 5);
        EXPECT_EQ(w->F1Book1->CellText(w->F1Book1->LastRow(), 1), QStringLiteral("合计："));
        EXPECT_EQ(Mdlx::instance().SumCount, 3);
        EXPECT_FALSE(w->MN02->isEnabled());
        EXPECT_TRUE(w->MN10->isEnabled());
        ui->clear();
    }
}

} // namespace

QUILL_INSTANTIATE_ENGINES(ReportRefusal);
