#include "WindowFixture.h"

#include "HostProcess.h"
#include "PdfText.h"

#include "platform/grid/F1Book.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/WorkbookReader.h"
#include "platform/grid/WorkbookWriter.h"
#include "suite/SuiteLib.h"
#include "windows/dialogs/PeriodRange.h"
#include "windows/manage/TextExport.h"
#include "windows/manage/frmRSGL.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace quill::test {

namespace {

// The host program run for real: "quill report --workspace DIR" and the
// arguments.
HostResult quillReport(const QString& workspace, const QStringList& arguments) {
    return runHost(QStringList{QStringLiteral("report"), QStringLiteral("--workspace"), workspace} +
                   arguments);
}

// Records of a CSV text by RFC 4180: quoted fields may hold commas, quotes
// (doubled) and line ends; records end with CR LF.
QList<QStringList> parseCsv(const QString& text) {
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            record << field;
            records << record;
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return records;
}

QString readUtf8(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The cells the window's sheet holds, with the column headings first when
// it shows them: what a CSV of it holds.
QList<QStringList> sheetOf(const F1Book& book) {
    QList<QStringList> rows;
    QStringList row;
    if (book.showColHeading()) {
        for (int c = 1; c <= book.LastCol(); ++c)
            row << book.ColHeading(c);
        rows << row;
    }
    for (int r = 1; r <= book.LastRow(); ++r) {
        row.clear();
        for (int c = 1; c <= book.LastCol(); ++c)
            row << book.CellText(r, c);
        rows << row;
    }
    return rows;
}

// Pages of a PDF as pdfinfo counts them.
int pdfInfoPages(const QString& path) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    info.waitForFinished(60000);
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                          .match(QString::fromUtf8(info.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

const QString Pay = QStringLiteral("工资管理");
const QString FirstPeriod = QStringLiteral("2026年01月");
const QString LastPeriod = QStringLiteral("2026年02月"); // the workspace's current period

class ReportCommandTest : public WindowFixture {
protected:
    QString output(const QString& name) { return db().folder() + QStringLiteral("/") + name; }

    // The window on the title, its report at list index `index` chosen; on
    // the pay table over both periods, not the current one alone.
    std::unique_ptr<frmRSGL> windowOn(const QString& title, int index) {
        std::unique_ptr<frmRSGL> window = load(title);
        show(*window);
        if (title == Pay) {
            EXPECT_TRUE(PeriodRange::store(false, FirstPeriod, LastPeriod));
        }
        window->ListView1_ItemClick(index);
        return window;
    }
    QStringList rangeArguments(const QString& title) const {
        return title == Pay ? QStringList{QStringLiteral("--period"),
                                          FirstPeriod + QLatin1Char(':') + LastPeriod}
                            : QStringList();
    }
};

// Each title's reports as --list gives them are the window's report list,
// and each report written as CSV holds the window's sheet cell by cell.
TEST_P(ReportCommandTest, EverySavedReportIsTheWindowsSheet) {
    int reports = 0;
    for (const QString& title : {Pay, QStringLiteral("人事档案"), QStringLiteral("考勤管理")}) {
        const HostResult list =
            quillReport(workspace(), {QStringLiteral("--title"), title, QStringLiteral("--list")});
        ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
        const QStringList names = list.out.split(u'\n', Qt::SkipEmptyParts);
        {
            std::unique_ptr<frmRSGL> window = load(title);
            show(*window);
            QStringList listed;
            for (int i = 1; i < window->ListView1->count(); ++i)
                listed << window->ListView1->item(i)->text();
            EXPECT_EQ(names, listed) << title.toStdString();
        }
        for (int i = 0; i < names.size(); ++i) {
            const QString csv = output(QStringLiteral("r%1.csv").arg(reports++));
            const HostResult r =
                quillReport(workspace(), QStringList{QStringLiteral("--title"), title,
                                                     QStringLiteral("--report"), names[i],
                                                     QStringLiteral("--output"), csv} +
                                             rangeArguments(title));
            ASSERT_EQ(r.exitCode, 0) << names[i].toStdString() << ": " << r.err.toStdString();
            EXPECT_TRUE(r.out.isEmpty() && r.err.isEmpty()) << r.err.toStdString();
            std::unique_ptr<frmRSGL> window = windowOn(title, i + 2);
            ASSERT_TRUE(ui->messages().isEmpty()) << ui->messageTexts().join(' ').toStdString();
            const QList<QStringList> sheet = sheetOf(*window->F1Book1);
            EXPECT_GT(sheet.size(), 2) << names[i].toStdString();
            EXPECT_EQ(parseCsv(readUtf8(csv)), sheet) << names[i].toStdString();
        }
    }
    EXPECT_EQ(reports, 7);
}

// Without a report: the table's own records over the range, every field, a
// totals row and the headings.
TEST_P(ReportCommandTest, TheTablesOwnRecordsOverAPeriodRange) {
    const QString csv = output(QStringLiteral("own.csv"));
    const HostResult r = quillReport(workspace(), QStringList{QStringLiteral("--output"), csv} +
                                                      rangeArguments(Pay));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<QStringList> rows = parseCsv(readUtf8(csv));
    ASSERT_EQ(rows.size(), 1 + 2 * 12 + 1);
    EXPECT_EQ(rows.front().size(), 17); // every field of the pay table
    EXPECT_EQ(rows.front().value(0), QStringLiteral("期间"));
    EXPECT_EQ(rows.value(1).value(0), FirstPeriod);
    EXPECT_EQ(rows.value(24).value(0), LastPeriod);
    EXPECT_EQ(rows.back().value(0), QStringLiteral("合计："));
}

// The workbook holds the sheet under its bold heading row; the PDF is what
// the window's print command prints, page for page; the text file, written
// twice, holds the window's text export once.
TEST_P(ReportCommandTest, WorkbookPdfAndTextReadBack) {
    const QString report = QStringLiteral("工资明细表");
    const QString xlsx = output(QStringLiteral("pay.xlsx"));
    const QString pdf = output(QStringLiteral("pay.pdf"));
    const QString txt = output(QStringLiteral("pay.txt"));
    for (const QString& file : {xlsx, pdf, txt, txt}) {
        const HostResult r = quillReport(
            workspace(), {QStringLiteral("--report"), report, QStringLiteral("--output"), file});
        ASSERT_EQ(r.exitCode, 0) << file.toStdString() << ": " << r.err.toStdString();
    }
    std::unique_ptr<frmRSGL> window = load(Pay);
    show(*window);
    window->ListView1_ItemClick(2);
    const F1Book& book = *window->F1Book1;

    const Sheet written = WorkbookReader::read(xlsx);
    EXPECT_EQ(written.name(), WorkbookWriter::fileSheetName(SuiteLib::instance().QueryCaption));
    ASSERT_EQ(written.rowCount(), book.LastRow() + 1);
    for (int c = 1; c <= book.LastCol(); ++c) {
        EXPECT_EQ(written.text(0, c - 1), book.ColHeading(c));
        EXPECT_TRUE(written.bold(0, c - 1));
        for (int r = 1; r <= book.LastRow(); ++r)
            ASSERT_EQ(written.text(r, c - 1), book.CellText(r, c)) << r << "," << c;
    }

    EXPECT_EQ(readUtf8(txt), TextExport::text(book));

    window->MN08_Click();
    const QString printed = SuiteLib::instance().WorkFolder + QStringLiteral("/Tmp.pdf");
    const QStringList pages = pdfPages(pdf);
    ASSERT_GE(pages.size(), 1);
    EXPECT_EQ(pdfInfoPages(pdf), pages.size());
    EXPECT_EQ(pages, pdfPages(printed));
    for (const QString& page : pages)
        EXPECT_TRUE(page.contains(SuiteLib::instance().QueryCaption)) << page.toStdString();
    EXPECT_TRUE(pages.front().contains(book.ColHeading(1))) << pages.front().toStdString();
}

// Every refusal ends with its exit code and one line on standard error, and
// leaves no file behind.
TEST_P(ReportCommandTest, FailuresHaveTheirExitCodeAndLeaveNoFile) {
    const QString csv = output(QStringLiteral("out/x.csv"));
    ASSERT_TRUE(QDir().mkpath(output(QStringLiteral("out"))));
    const QString kq = QStringLiteral("考勤管理");
    struct Case {
        QStringList arguments;
        int exitCode;
    };
    const QList<Case> cases = {
        {{QStringLiteral("--report"), QStringLiteral("没有的报表")}, 2},
        {{QStringLiteral("--title"), QStringLiteral("没有的表")}, 2},
        {{QStringLiteral("--period"), LastPeriod + u':' + FirstPeriod}, 3},
        {{QStringLiteral("--period"), QStringLiteral("2026年13月")}, 3},
        {{QStringLiteral("--date"), QStringLiteral("2026-02-01")}, 3},
        {{QStringLiteral("--title"), QStringLiteral("人事档案"), QStringLiteral("--period"),
          FirstPeriod},
         3},
        {{QStringLiteral("--title"), kq, QStringLiteral("--date"),
          QStringLiteral("2026-02-28:2026-02-01")},
         3},
        {{QStringLiteral("--title"), kq, QStringLiteral("--date"), QStringLiteral("2026-02-30")},
         3},
        {{QStringLiteral("--period"), FirstPeriod, QStringLiteral("--date"),
          QStringLiteral("2026-02-01")},
         64},
        {{QStringLiteral("--no-such-option")}, 64},
    };
    for (const Case& c : cases) {
        const HostResult r =
            quillReport(workspace(), c.arguments + QStringList{QStringLiteral("--output"), csv});
        const std::string what = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(r.exitCode, c.exitCode) << what << ": " << r.err.toStdString();
        EXPECT_EQ(r.err.count(u'\n'), 1) << what << ": " << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << what;
        EXPECT_TRUE(QDir(output(QStringLiteral("out")))
                        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                        .isEmpty())
            << what;
    }
    ASSERT_TRUE(QDir().mkpath(output(QStringLiteral("folder.csv"))));
    const QList<Case> outputs = {
        {{QStringLiteral("--output"), output(QStringLiteral("no/such/folder/x.csv"))}, 5},
        {{QStringLiteral("--output"), output(QStringLiteral("out"))}, 64},
        {{QStringLiteral("--output"), output(QStringLiteral("folder.csv"))}, 5},
        {{QStringLiteral("--output"), output(QStringLiteral("x.doc"))}, 64},
        {{}, 64},
    };
    for (const Case& c : outputs) {
        const HostResult r = quillReport(workspace(), c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.arguments.join(u' ').toStdString();
    }

    // A query the database refuses (the suite's extra filter names no column)
    // leaves the file that was there as it was.
    QFile existing(csv);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("before");
    existing.close();
    const QString conf = workspace() + QStringLiteral("/suite.conf");
    const QString saved = readUtf8(conf);
    ASSERT_TRUE(saved.contains(QStringLiteral("\nExtraFilter=\n")));
    QFile edited(conf);
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly | QIODevice::Truncate));
    edited.write(QString(saved)
                     .replace(QStringLiteral("\nExtraFilter=\n"),
                              QStringLiteral("\nExtraFilter=no_such_column = 1\n"))
                     .toUtf8());
    edited.close();
    const HostResult refused = quillReport(workspace(), {QStringLiteral("--output"), csv});
    EXPECT_EQ(refused.exitCode, 4) << refused.err.toStdString();
    EXPECT_EQ(readUtf8(csv), QStringLiteral("before"));
    EXPECT_EQ(QDir(output(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly | QIODevice::Truncate));
    edited.write(saved.toUtf8());
}

QUILL_INSTANTIATE_ENGINES(ReportCommandTest);

} // namespace

} // namespace quill::test
