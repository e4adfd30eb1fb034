#include "Printers.h"
#include "WindowFixture.h"
#include "WorkbookXml.h"

#include "platform/grid/F1Book.h"
#include "platform/grid/GridError.h"
#include "platform/grid/WorkbookReader.h"
#include "platform/vb/Val.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/TextExport.h"
#include "windows/manage/WorkbookExport.h"
#include "windows/manage/frmRSGL.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <sys/resource.h>

#include <csignal>
#include <functional>

#include <gtest/gtest.h>

using namespace quill;
using namespace quill::test;

namespace {

const QDate Today(2026, 12, 6);

// The field of a text export line, built without
// the module's own padding: display columns counted here (CJK 2, ASCII 1).
QString expectedField(const QString& heading, const QString& cell) {
    const SuiteLib& lib = SuiteLib::instance();
    const QString type = lib.ColumnType(heading).left(1);
    if (type == QLatin1String("S")) {
        const int width = 2 * lib.ColumnWidth(heading).toInt();
        return QStringLiteral("-AAA-") + cell +
               QString(std::max(0, width - displayWidth(cell)), u' ');
    }
    if (type == QLatin1String("D")) {
        const QString number = cell.isEmpty() ? cell : QString::number(vb::Val(cell), 'f', 2);
        return QStringLiteral("-BBB-") + number.rightJustified(10, u' ');
    }
    if (type == QLatin1String("I"))
        return QStringLiteral("-CCC-") + cell.rightJustified(10, u' ');
    return cell;
}

QString expectedLine(const F1Book& book, int row) {
    QString line;
    for (int c = 1; c <= book.LastCol(); ++c)
        line += expectedField(book.ColHeading(c), book.CellText(row, c));
    return line;
}

// Sets the sheet to these headings over these rows.
void fill(F1Book& book, const QStringList& headings, const QList<QStringList>& rows) {
    book.SetLastRow(int(rows.size()));
    book.SetLastCol(int(headings.size()));
    for (int c = 1; c <= headings.size(); ++c) {
        book.SetColHeading(c, headings[c - 1]);
        for (int r = 1; r <= rows.size(); ++r)
            book.SetCellText(r, c, rows[r - 1][c - 1]);
    }
}

using ExportTest = WindowFixture;

// ---- text export ----

TEST_P(ExportTest, TextLinesReadMarkersAndFieldsByteForByte) {
    auto w = opened();
    const F1Book& book = *w->F1Book1;
    pick(*w, QStringLiteral("工资明细表"));
    ASSERT_GT(book.LastRow(), 10);
    const QString path = out(QStringLiteral("pay.txt"));
    TextExport::write(book, path, TextExport::Mode::Replace);
    const QStringList lines = fileLines(path);
    ASSERT_EQ(lines.size(), book.LastRow());
    for (int r = 1; r <= book.LastRow(); ++r)
        EXPECT_EQ(lines[r - 1], expectedLine(book, r)) << r;
    // Text and decimal fields each behind their marker.
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("-AAA-") + book.CellText(1, 1)));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("-BBB-")));
    // UTF-8, no byte order mark.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes);
}

TEST_P(ExportTest, ALineOfTextDecimalAndWholeNumberColumns) {
    auto w = opened();
    F1Book& book = *w->F1Book1;
    fill(book, {"姓名", "基本工资", "出勤天数"},
         {{"张三", "3000", "22"}, {"Li Si", "1234.5", "7"}});
    EXPECT_EQ(TextExport::text(book),
              QStringLiteral("-AAA-张三                -BBB-   3000.00-CCC-        22\n"
                             "-AAA-Li Si               -BBB-   1234.50-CCC-         7\n"));
    // A line of only dates has no marker.
    fill(book, {"发放日期", "发放日期"}, {{"2026-11-30", "2026-12-31"}});
    EXPECT_EQ(TextExport::text(book), QStringLiteral("2026-11-302026-12-31\n"));
}

// A blank count by code-page bytes minus characters would widen a field by
// its Latin letters; each text field is made up to 2 x ColumnWidth display
// columns instead.
TEST_P(ExportTest, ColumnsLineUpWhenTextsMixChineseAndLatinLetters) {
    auto w = opened();
    F1Book& book = *w->F1Book1;
    fill(book, {"姓名", "部门", "基本工资"},
         {{"张三", "生产部", "100"},
          {"Li Si", "R&D", "200"},
          {"欧阳Mary", "生产部", "300"},
          {"王", "R&D", "400"}});
    const QString path = out(QStringLiteral("mixed.txt"));
    TextExport::write(book, path, TextExport::Mode::Replace);
    const QStringList lines = fileLines(path);
    ASSERT_EQ(lines.size(), 4);
    // The display column of every marker is the same on every line.
    auto columns = [](const QString& line) {
        QList<int> at;
        static const QRegularExpression marker(QStringLiteral("-(AAA|BBB|CCC)-"));
        for (auto it = marker.globalMatch(line); it.hasNext();)
            at << displayWidth(line.left(it.next().capturedStart()));
        at << displayWidth(line);
        return at;
    };
    const QList<int> first = columns(lines[0]);
    EXPECT_EQ(first, (QList<int>{0, 5 + 20, 5 + 20 + 5 + 20, 5 + 20 + 5 + 20 + 5 + 10}));
    for (const QString& line : lines)
        EXPECT_EQ(columns(line), first) << line.toStdString();
}

TEST_P(ExportTest, AppendKeepsWhatTheFileHeldAndReplaceDoesNot) {
    auto w = opened();
    const F1Book& book = *w->F1Book1;
    const QString path = out(QStringLiteral("twice.txt"));
    TextExport::write(book, path, TextExport::Mode::Append);
    const QStringList once = fileLines(path);
    ASSERT_EQ(once.size(), book.LastRow());
    TextExport::write(book, path, TextExport::Mode::Append);
    EXPECT_EQ(fileLines(path), once + once);
    TextExport::write(book, path, TextExport::Mode::Replace);
    EXPECT_EQ(fileLines(path), once);
}

// ---- workbook export ----

TEST_P(ExportTest, WorkbookHoldsTheHeadingRowAndEveryCell) {
    auto w = opened();
    const F1Book& book = *w->F1Book1;
    const QString path = out(QStringLiteral("pay.xls"));
    WorkbookExport::write(book, QString(), PageOutput::Kind::Default, path, Today);
    const Sheet sheet = WorkbookReader::read(path);
    ASSERT_EQ(sheet.rowCount(), book.LastRow() + 1);
    ASSERT_EQ(sheet.columnCount(), book.LastCol());
    for (int c = 1; c <= book.LastCol(); ++c) {
        EXPECT_EQ(sheet.text(0, c - 1), book.ColHeading(c)) << c;
        EXPECT_TRUE(sheet.bold(0, c - 1)) << c;
        for (int r = 1; r <= book.LastRow(); ++r)
            EXPECT_EQ(sheet.text(r, c - 1), book.CellText(r, c)) << r << "," << c;
    }
    const QString workbookXml = workbookEntry(path, QStringLiteral("xl/workbook.xml"));
    const QString col = QChar(u'A' + book.LastCol() - 1);
    EXPECT_TRUE(workbookXml.contains(QStringLiteral("_xlnm.Print_Titles")));
    EXPECT_TRUE(workbookXml.contains(QStringLiteral("!$1:$1</definedName>")))
        << workbookXml.toStdString();
    EXPECT_TRUE(workbookXml.contains(QStringLiteral("_xlnm.Print_Area")));
    EXPECT_TRUE(workbookXml.contains(
        QStringLiteral("!$A$1:$%1$%2</definedName>").arg(col).arg(book.LastRow() + 1)))
        << workbookXml.toStdString();
    const QString sheetXml = workbookEntry(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    const SuiteLib& lib = SuiteLib::instance();
    EXPECT_TRUE(sheetXml.contains(
        QStringLiteral("<oddHeader>&amp;C&amp;\"宋体,加粗\"&amp;16&amp;A</oddHeader>")))
        << sheetXml.toStdString();
    EXPECT_TRUE(sheetXml.contains(
        QStringLiteral("<oddFooter>&amp;L&amp;\"Times New Roman,常规\"&amp;N&amp;C") +
        lib.OperatorName + QStringLiteral("     制表人: ") + lib.UserName +
        QStringLiteral("     审核人: ________     打印日期: 26-12-06&amp;R&amp;\"Times New "
                       "Roman,常规\"&amp;P</oddFooter>")))
        << sheetXml.toStdString();
}

TEST_P(ExportTest, WorkbookCarriesTheReportsStoredPageSetup) {
    auto w = opened();
    const F1Book& book = *w->F1Book1;
    SuiteLib& lib = SuiteLib::instance();
    const std::pair<const char*, const char*> setup[] = {
        {"LeftMargin", "36"},         {"RightMargin", "18"},
        {"TopMargin", "72"},          {"BottomMargin", "54"},
        {"HeaderMargin", "14.4"},     {"FooterMargin", "28.8"},
        {"Orientation", "2"},         {"PaperSize", "8"},
        {"PrintGridLines", "True"},   {"CenterHorizontally", "True"},
        {"LeftHeader", "第一车间"},   {"RightHeader", "&D"},
        {"CenterFooter", "部门主管"}, {"Zoom", "80"},
        {"FirstPageNumber", "3"}};
    for (const auto& [key, value] : setup)
        lib.WriteSetting(QStringLiteral("PRINT"), QStringLiteral("月报.") + QLatin1String(key),
                         QString::fromUtf8(value), lib.settingsPath());
    const QString path = out(QStringLiteral("month.xls"));
    WorkbookExport::write(book, QStringLiteral("月报"), PageOutput::Kind::Default, path, Today);
    const QString xml = workbookEntry(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(xml.contains(QStringLiteral("<pageMargins left=\"0.5\" right=\"0.25\" top=\"1\" "
                                            "bottom=\"0.75\" header=\"0.2\" footer=\"0.4\"/>")))
        << xml.toStdString();
    for (const char* attribute :
         {"orientation=\"landscape\"", "paperSize=\"8\"", "scale=\"80\"", "firstPageNumber=\"3\"",
          "gridLines=\"1\"", "horizontalCentered=\"1\""})
        EXPECT_TRUE(xml.contains(QLatin1String(attribute))) << attribute;
    EXPECT_TRUE(xml.contains(QStringLiteral(
        "<oddHeader>&amp;L第一车间&amp;C&amp;\"宋体,加粗\"&amp;16&amp;A&amp;R&amp;D</oddHeader>")))
        << xml.toStdString();
    EXPECT_TRUE(
        xml.contains(lib.OperatorName + QStringLiteral("     部门主管     打印日期: 26-12-06")));
    const QString workbookXml = workbookEntry(path, QStringLiteral("xl/workbook.xml"));
    EXPECT_TRUE(workbookXml.contains(QStringLiteral("!$1:$1</definedName>")));
}

// What the engine returns for decimal, whole-number and date columns (REAL or
// numeric, integer, text or date) must not change what is exported: decimals
// are numbers with their two places in the workbook and "-BBB-" fields of
// the number in its format in the text; dates stay texts without a marker.
TEST_P(ExportTest, TypedColumnsExportTheSameOnEitherEngine) {
    auto w = load(QStringLiteral("工资管理"));
    addReport(QStringLiteral("出勤与发放"),
              {"memberid", "name", "jbgz", "sfgz", "cqts", "ffrq", "year"}, {"memberid"});
    show(*w);
    pick(*w, QStringLiteral("出勤与发放"));
    ASSERT_EQ(ui->messageTexts(), QStringList());
    F1Book& book = *w->F1Book1;
    ASSERT_GT(book.LastRow(), 1);
    QList<int> decimals;
    QList<int> wholes;
    QList<int> dates;
    for (int c = 1; c <= book.LastCol(); ++c) {
        const QString type = SuiteLib::instance().ColumnType(book.ColHeading(c)).left(1);
        if (type == QLatin1String("D"))
            decimals << c;
        else if (type == QLatin1String("I"))
            wholes << c;
        else if (type == QLatin1String("T"))
            dates << c;
    }
    ASSERT_FALSE(decimals.isEmpty());
    ASSERT_FALSE(wholes.isEmpty());
    ASSERT_FALSE(dates.isEmpty());

    const QString path = out(QStringLiteral("typed.xls"));
    WorkbookExport::write(book, QString(), PageOutput::Kind::Default, path, Today);
    const QString xml = workbookEntry(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    for (int c : decimals + wholes) {
        const QString text = book.CellText(1, c);
        if (text.isEmpty())
            continue;
        const QString ref = QChar(u'A' + c - 1) + QStringLiteral("2");
        const QRegularExpression number(
            QStringLiteral("<c r=\"%1\"[^>]*><v>([^<]*)</v></c>").arg(ref));
        const QRegularExpressionMatch m = number.match(xml);
        ASSERT_TRUE(m.hasMatch()) << ref.toStdString() << " " << text.toStdString();
        EXPECT_DOUBLE_EQ(m.captured(1).toDouble(), vb::Val(text)) << ref.toStdString();
    }
    const Sheet back = WorkbookReader::read(path);
    for (int c = 1; c <= book.LastCol(); ++c)
        EXPECT_EQ(back.text(1, c - 1), book.CellText(1, c)) << c;

    const QString line = TextExport::text(book).section(u'\n', 0, 0);
    for (int c : decimals) {
        const QString text = book.CellText(1, c);
        EXPECT_TRUE(line.contains(QStringLiteral("-BBB-") +
                                  QString::number(vb::Val(text), 'f', 2).rightJustified(10)))
            << line.toStdString();
    }
    for (int c : dates)
        EXPECT_TRUE(book.CellText(1, c).isEmpty() || line.contains(book.CellText(1, c)));
}

// A paged template keeps its own page blocks: no heading row, no print
// titles, headers or footers; the print area covers the sheet as rendered.
TEST_P(ExportTest, APagedTemplateIsExportedAsItsPageBlocks) {
    auto w = opened();
    pick(*w, QStringLiteral("工资条"));
    ASSERT_EQ(ui->messageTexts(), QStringList());
    const F1Book& book = *w->F1Book1;
    const PageOutput::Kind kind = PageOutput::kindOf(w->renderer());
    ASSERT_EQ(kind, PageOutput::Kind::PagedTemplate);
    const QString path = out(QStringLiteral("slips.xls"));
    WorkbookExport::write(book, QStringLiteral("工资条"), kind, path, Today);
    const Sheet sheet = WorkbookReader::read(path);
    ASSERT_EQ(sheet.rowCount(), book.LastRow());
    for (int r = 1; r <= book.LastRow(); ++r)
        for (int c = 1; c <= book.LastCol(); ++c)
            ASSERT_EQ(sheet.text(r - 1, c - 1), book.CellText(r, c)) << r << "," << c;
    const QString workbookXml = workbookEntry(path, QStringLiteral("xl/workbook.xml"));
    EXPECT_FALSE(workbookXml.contains(QStringLiteral("_xlnm.Print_Titles")));
    EXPECT_TRUE(workbookXml.contains(QStringLiteral("!$A$1:$%1$%2</definedName>")
                                         .arg(QChar(u'A' + book.LastCol() - 1))
                                         .arg(book.LastRow())))
        << workbookXml.toStdString();
    EXPECT_FALSE(workbookEntry(path, QStringLiteral("xl/worksheets/sheet1.xml"))
                     .contains(QStringLiteral("<headerFooter")));
}

TEST_P(ExportTest, AnUnwritableFileRaisesNamingIt) {
    auto w = opened();
    const F1Book& book = *w->F1Book1;
    const QString text = unwritable(QStringLiteral("x.txt"));
    const QString workbook = unwritable(QStringLiteral("x.xls"));
    const struct {
        const char* what;
        QString path;
        std::function<void()> write;
    } cases[] = {
        {"append", text, [&] { TextExport::write(book, text, TextExport::Mode::Append); }},
        {"replace", text, [&] { TextExport::write(book, text, TextExport::Mode::Replace); }},
        {"workbook", workbook,
         [&] { WorkbookExport::write(book, {}, PageOutput::Kind::Default, workbook, Today); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.write();
            ADD_FAILURE() << "no error";
        } catch (const GridError& e) {
            EXPECT_TRUE(e.message().contains(c.path)) << e.what();
        }
    }
}

// Mend: a write that fails half-way leaves the file under the user's name
// as it was, and no temporary file beside it.
TEST_P(ExportTest, AFailedWorkbookWriteLeavesTheOldFileAlone) {
    auto w = opened();
    F1Book& book = *w->F1Book1;
    const int rows = 3000;
    book.SetLastRow(rows);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= book.LastCol(); ++c)
            book.SetCellText(r, c, QStringLiteral("'x%1y%2 and some more text").arg(r).arg(c));
    const QString folder = out(QStringLiteral("fsize"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/big.xls");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the user's old workbook");
    }
    // Files may grow to 4 KiB only: the workbook cannot be finished.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool raised = false;
    try {
        WorkbookExport::write(book, QString(), PageOutput::Kind::Default, path, Today);
    } catch (const GridError& e) {
        raised = e.message().contains(path);
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(raised);
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("the user's old workbook"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"big.xls"});
}

} // namespace

QUILL_INSTANTIATE_ENGINES(ExportTest);
