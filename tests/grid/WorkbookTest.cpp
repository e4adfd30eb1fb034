#include "platform/grid/GridError.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/WorkbookReader.h"
#include "platform/grid/WorkbookWriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <xlsxwriter.h>
#include <zip.h>

#include <map>

using namespace quill;

// Texts in test messages as they read.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

// The workbook and relationship parts of a workbook whose one sheet is
// xl/worksheets/sheet1.xml.
const std::string oneSheetWorkbook =
    R"(<workbook><sheets><sheet name="a" r:id="rId1" xmlns:r="r"/></sheets></workbook>)";
const std::string oneSheetRels =
    R"(<Relationships><Relationship Id="rId1" Type="x/worksheet" Target="worksheets/sheet1.xml"/></Relationships>)";

class WorkbookTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A zip of the given entries, built by hand.
    void writeZip(const QString& file, const std::map<std::string, std::string>& entries) {
        int error = 0;
        zip_t* z = zip_open(QFile::encodeName(file).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        ASSERT_NE(z, nullptr);
        for (const auto& [name, content] : entries) {
            zip_source_t* src = zip_source_buffer(z, content.data(), content.size(), 0);
            ASSERT_GE(zip_file_add(z, name.c_str(), src, ZIP_FL_OVERWRITE), 0);
        }
        ASSERT_EQ(zip_close(z), 0);
    }

    // A workbook of one sheet, xl/worksheets/sheet1.xml, holding the given XML.
    void writeOneSheet(const QString& file, const std::string& sheetXml) {
        writeZip(file, {{"xl/workbook.xml", oneSheetWorkbook},
                        {"xl/_rels/workbook.xml.rels", oneSheetRels},
                        {"xl/worksheets/sheet1.xml", sheetXml}});
    }

    void writeFile(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // The message of the GridError that reading raises; "" when it reads.
    QString readError(const QString& file) {
        try {
            WorkbookReader::read(file);
        } catch (const GridError& e) {
            return e.message();
        }
        return QString();
    }

    QTemporaryDir m_dir;
};

// Every cell's text, row by row.
QList<QStringList> texts(const Sheet& sheet) {
    QList<QStringList> rows;
    for (int r = 0; r < sheet.rowCount(); ++r) {
        rows.append(QStringList());
        for (int c = 0; c < sheet.columnCount(); ++c)
            rows.last() << sheet.text(r, c);
    }
    return rows;
}

Sheet sampleSheet() {
    Sheet s;
    s.resize(6, 5);
    s.setName("工资表");
    s.setEntry(0, 0, "姓名");
    s.setEntry(0, 1, "金额");
    s.setEntry(0, 2, "编号");
    s.setEntry(0, 3, "合计");
    s.setEntry(1, 0, "张三");
    s.setEntry(1, 1, "12.50");
    s.setEntry(1, 2, "007");
    s.setEntry(1, 3, "-3");
    s.setEntry(1, 4, "'100");
    s.setEntry(2, 0, "李四");
    s.setEntry(2, 1, "1234567.125");
    s.setEntry(2, 2, "2004-02-01");
    s.setFormula(2, 3, "=B2+B3", "1234579.63");
    s.setFormula(2, 4, "=A2&A3", "张三李四");
    s.setEntry(3, 0, "=B2*2");
    s.setEntry(3, 1, "+5");
    s.setEntry(3, 2, "1e3");
    s.setEntry(3, 3, QString(40000, u'长'));
    // Texts that look like the escapes of workbook XML, and characters that
    // XML cannot hold.
    s.setEntry(4, 0, "_x005F_");
    s.setEntry(4, 1, "a_x000D_b");
    s.setEntry(4, 2, "c\u0001d\re\tf");
    s.setEntry(4, 3, "_x00_x0041_");
    s.setBold(0, 0, true);
    s.setBold(0, 1, true);
    s.setBorders(1, 1, Sheet::Borders{1, 1, 1, 1});
    s.setBorders(4, 4, Sheet::Borders{0, 2, 0, 5});
    s.setColumnWidth(0, 3072);
    s.setColumnWidth(1, 2560);
    s.setColumnWidth(2, 4608);
    s.setColumnWidth(3, 1280);
    s.setColumnWidth(4, 5120);
    return s;
}

} // namespace

TEST_F(WorkbookTest, WrittenSheetReadsBackTheSame) {
    const Sheet written = sampleSheet();
    const QString file = path("out.xls");
    WorkbookWriter::save(written, file);
    const Sheet read = WorkbookReader::read(file);

    EXPECT_EQ(read.name(), "工资表");
    ASSERT_EQ(read.rowCount(), 6);
    ASSERT_EQ(read.columnCount(), 5);
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 5; ++c) {
            SCOPED_TRACE(testing::Message() << "cell " << r << "," << c);
            if (r == 3 && c == 3) {
                // A cell holds at most 32767 characters.
                EXPECT_EQ(read.text(r, c), QString(WorkbookWriter::MaxTextLength, u'长'));
            } else if (r == 3 && c == 0) {
                // Written without a value; the file carries the formula, and
                // it shows nothing until computed.
                EXPECT_EQ(read.formula(r, c), "=B2*2");
                EXPECT_EQ(read.text(r, c), QString());
            } else {
                EXPECT_EQ(read.text(r, c), written.text(r, c));
                EXPECT_EQ(read.formula(r, c), written.formula(r, c));
            }
            EXPECT_EQ(read.bold(r, c), written.bold(r, c));
            EXPECT_EQ(read.borders(r, c), written.borders(r, c));
        }
    }
    EXPECT_EQ(read.kind(1, 2), Sheet::Kind::Plain); // 007 stays a text, not 7
    EXPECT_EQ(read.entry(1, 4), "'100");
    EXPECT_EQ(read.entry(1, 1), "12.50");
    EXPECT_EQ(read.entry(2, 3), "=B2+B3");
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(read.columnWidth(c), written.columnWidth(c)) << c;
}

TEST_F(WorkbookTest, NumbersAreWrittenAsNumbersAndTextsAsTexts) {
    const QString file = path("types.xlsx");
    WorkbookWriter::save(sampleSheet(), file);
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(file).constData(), ZIP_RDONLY, &error);
    ASSERT_NE(z, nullptr);
    zip_file_t* f = zip_fopen(z, "xl/worksheets/sheet1.xml", 0);
    ASSERT_NE(f, nullptr);
    std::string xml;
    char buffer[4096];
    for (zip_int64_t n; (n = zip_fread(f, buffer, sizeof buffer)) > 0;)
        xml.append(buffer, std::size_t(n));
    zip_fclose(f);
    zip_discard(z);
    const QString sheet = QString::fromStdString(xml);
    EXPECT_TRUE(sheet.contains("<c r=\"B2\" s=\"") && sheet.contains("<v>12.5</v>"));
    EXPECT_TRUE(sheet.contains("<c r=\"C2\" t=\"inlineStr\"><is><t>007</t>"));
    EXPECT_TRUE(sheet.contains("<c r=\"E2\" t=\"inlineStr\"><is><t>100</t>"));
    EXPECT_TRUE(sheet.contains("<f>B2+B3</f><v>1234579.63</v>"));
    EXPECT_TRUE(sheet.contains("<c r=\"B4\" t=\"inlineStr\"><is><t>+5</t>"));
    // A typed formula goes without a stale value, so other programs compute it.
    EXPECT_TRUE(sheet.contains("<c r=\"A4\" t=\"str\"><f>B2*2</f><v></v></c>"))
        << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("<t>_x005F_x005F_</t>"));
    EXPECT_TRUE(sheet.contains("<t>a_x005F_x000D_b</t>"));
    EXPECT_TRUE(sheet.contains("<t>c_x0001_d_x000D_e\tf</t>"));
}

TEST_F(WorkbookTest, SheetNamesAWorkbookRefusesAreMended) {
    EXPECT_EQ(WorkbookWriter::fileSheetName("工资[2004-02至2004-03]"), "工资(2004-02至2004-03)");
    EXPECT_EQ(WorkbookWriter::fileSheetName("a/b:c?*\\"), "a_b_c___");
    EXPECT_EQ(WorkbookWriter::fileSheetName(QString()), "Sheet1");
    EXPECT_EQ(WorkbookWriter::fileSheetName(QString(40, u'表')).size(), 31);

    Sheet s;
    s.resize(1, 1);
    s.setName("查询[2004]");
    WorkbookWriter::save(s, path("n.xlsx"));
    EXPECT_EQ(WorkbookReader::read(path("n.xlsx")).name(), "查询(2004)");
}

TEST_F(WorkbookTest, EmptyRowsAndColumnsAtTheEndAreKept) {
    Sheet s;
    s.resize(30, 4);
    s.setEntry(0, 0, "x");
    WorkbookWriter::save(s, path("e.xlsx"));
    const Sheet read = WorkbookReader::read(path("e.xlsx"));
    EXPECT_EQ(read.rowCount(), 30);
    EXPECT_EQ(read.columnCount(), 4);
}

TEST_F(WorkbookTest, FailedWriteKeepsTheOldFile) {
    const QString file = path("keep.xlsx");
    writeFile(file, "old");
    EXPECT_THROW(WorkbookWriter::save(sampleSheet(), path("no/such/dir/x.xlsx")), GridError);
    WorkbookWriter::save(sampleSheet(), file);
    EXPECT_EQ(WorkbookReader::read(file).text(0, 0), "姓名");
}

// A workbook made by libxlsxwriter in its ordinary mode (shared strings) and
// in constant-memory mode (inline strings), with formulas and formats.
TEST_F(WorkbookTest, ReadsWorkbooksOfAnotherWriter) {
    for (const bool constantMemory : {false, true}) {
        SCOPED_TRACE(constantMemory ? "inline strings" : "shared strings");
        const QString file = path(constantMemory ? "inline.xlsx" : "shared.xlsx");
        lxw_workbook_options options{};
        options.constant_memory = constantMemory;
        lxw_workbook* wb = workbook_new_opt(QFile::encodeName(file).constData(), &options);
        lxw_worksheet* ws = workbook_add_worksheet(wb, "数据");
        workbook_add_worksheet(wb, "Second");
        lxw_format* bold = workbook_add_format(wb);
        format_set_bold(bold);
        format_set_bottom(bold, LXW_BORDER_DOUBLE);
        lxw_format* money = workbook_add_format(wb);
        format_set_num_format(money, "#,##0.00");
        lxw_format* date = workbook_add_format(wb);
        format_set_num_format(date, "yyyy-mm-dd");
        worksheet_set_column(ws, 0, 0, 20, nullptr);
        worksheet_write_string(ws, 0, 0, "部门", bold);
        worksheet_write_string(ws, 0, 1, "amount", nullptr);
        worksheet_write_string(ws, 1, 0, "生产部", nullptr);
        worksheet_write_number(ws, 1, 1, 1234.5, money);
        worksheet_write_number(ws, 1, 2, 38018, date);
        worksheet_write_boolean(ws, 1, 3, 1, nullptr);
        worksheet_write_formula_num(ws, 2, 1, "=B2*2", money, 2469);
        worksheet_write_formula_str(ws, 2, 2, "=A2&\"x\"", nullptr, "生产部x");
        worksheet_write_number(ws, 3, 0, 0.1, nullptr);
        worksheet_write_string(ws, 3, 1, "12", nullptr);
        ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);

        const Sheet s = WorkbookReader::read(file);
        EXPECT_EQ(s.name(), "数据");
        EXPECT_EQ(texts(s), (QList<QStringList>{{"部门", "amount", "", ""},
                                                {"生产部", "1,234.50", "2004-02-01", "TRUE"},
                                                {"", "2,469.00", "生产部x", ""},
                                                {"0.1", "12", "", ""}}));
        EXPECT_TRUE(s.bold(0, 0));
        EXPECT_EQ(s.borders(0, 0).bottom, 6);
        EXPECT_EQ(s.entry(2, 1), "=B2*2");
        EXPECT_EQ(s.entry(2, 2), "=A2&\"x\"");
        EXPECT_EQ(s.entry(3, 1), "'12"); // a text "12" stays a text
        EXPECT_EQ(s.columnWidth(0), 20 * 256);
    }
}

// Parts laid out as other applications write them: rich text, phonetic
// runs, merged cells, cells without references, a chart sheet first.
TEST_F(WorkbookTest, ReadsHandBuiltWorkbooks) {
    const std::string rels =
        R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="/book/wb.xml"/></Relationships>)";
    const std::string workbook =
        R"(<x:workbook xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:rel="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><x:sheets>)"
        R"(<x:sheet name="图" sheetId="3" rel:id="c1"/><x:sheet name="名单" sheetId="1" rel:id="s1"/><x:sheet name="后" sheetId="2" rel:id="s2"/></x:sheets></x:workbook>)";
    const std::string workbookRels =
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="c1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/chartsheet" Target="charts/c.xml"/>)"
        R"(<Relationship Id="s1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="sheets/one.xml"/>)"
        R"(<Relationship Id="s2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="sheets/two.xml"/>)"
        R"(<Relationship Id="t" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="../book/strings.xml"/></Relationships>)";
    const std::string strings =
        R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><t>plain</t></si>)"
        R"(<si><r><rPr><b/></rPr><t xml:space="preserve">富 </t></r><r><t>文本</t></r><rPh sb="0" eb="1"><t>フ</t></rPh></si></sst>)";
    const std::string sheet =
        R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><dimension ref="A1:C3"/>)"
        R"(<sheetFormatPr defaultColWidth="9.140625"/><cols><col min="2" max="3" width="15.7109375" customWidth="1"/></cols><sheetData>)"
        R"(<row><c t="s"><v>0</v></c><c t="s"><v>1</v></c><c t="s"><v>99</v></c></row>)"
        R"(<row r="3"><c r="B3" t="inlineStr"><is><r><t>in</t></r><r><t>line</t></r></is></c><c t="e"><f>1/0</f><v>#DIV/0!</v></c>)"
        R"(<c r="D3"><f t="shared" si="0"/><v>4</v></c></row></sheetData>)"
        R"(<mergeCells count="1"><mergeCell ref="A1:B1"/></mergeCells></worksheet>)";
    const QString file = path("hand.vts");
    writeZip(file, {{"_rels/.rels", rels},
                    {"book/wb.xml", workbook},
                    {"book/_rels/wb.xml.rels", workbookRels},
                    {"book/strings.xml", strings},
                    {"book/sheets/one.xml", sheet},
                    {"book/sheets/two.xml", "<worksheet/>"}});
    const Sheet s = WorkbookReader::read(file);
    EXPECT_EQ(s.name(), "名单");
    EXPECT_EQ(texts(s),
              (QList<QStringList>{
                  {"plain", "富 文本", "", ""}, {"", "", "", ""}, {"", "inline", "#DIV/0!", "4"}}));
    EXPECT_EQ(s.entry(2, 2), "=1/0");
    EXPECT_EQ(s.entry(2, 3), "4");
    EXPECT_EQ(s.columnWidth(0), 2158);
    EXPECT_EQ(s.columnWidth(1), 15 * 256);
}

TEST_F(WorkbookTest, BadFilesRaiseClearErrors) {
    EXPECT_TRUE(readError(path("missing.vts")).startsWith("文件不存在"));

    writeFile(path("empty.vts"), QByteArray());
    EXPECT_TRUE(readError(path("empty.vts")).contains("空"));

    writeFile(path("text.vts"), "这不是工作簿\n");
    EXPECT_TRUE(readError(path("text.vts")).contains("不是有效的工作簿"));

    WorkbookWriter::save(sampleSheet(), path("whole.xlsx"));
    QFile whole(path("whole.xlsx"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    for (const double part : {0.3, 0.6, 0.95}) {
        writeFile(path("cut.xlsx"), bytes.left(qsizetype(bytes.size() * part)));
        EXPECT_FALSE(readError(path("cut.xlsx")).isEmpty()) << part;
    }

    writeZip(path("other.zip"), {{"readme.txt", "hello"}});
    EXPECT_TRUE(readError(path("other.zip")).contains("不是工作簿"));

    writeOneSheet(path("broken.xlsx"), "<worksheet><sheetData><row><c><v>1</v></row>");
    EXPECT_TRUE(readError(path("broken.xlsx")).contains("已损坏"));

    writeZip(path("nosheet.xlsx"), {{"xl/workbook.xml", "<workbook><sheets/></workbook>"}});
    EXPECT_TRUE(readError(path("nosheet.xlsx")).contains("没有工作表"));

    writeOneSheet(
        path("far.xlsx"),
        R"(<worksheet><sheetData><row><c r="A9999999"><v>1</v></c></row></sheetData></worksheet>)");
    EXPECT_TRUE(readError(path("far.xlsx")).contains("已损坏"));

    writeOneSheet(
        path("huge.xlsx"),
        R"(<worksheet><sheetData><row><c r="XFD1048576"><v>1</v></c></row></sheetData></worksheet>)");
    EXPECT_TRUE(readError(path("huge.xlsx")).contains("太大"));
}

// Damaged worksheets as fuzzing found them: each is refused with the grid's
// own error, and nothing is written outside the sheet.
TEST_F(WorkbookTest, DamagedWorksheetsAreRefused) {
    const std::string cellsPastTheLastColumn = [] {
        std::string cells;
        for (int c = 0; c <= Sheet::MaxCols; ++c)
            cells += "<c><v>1</v></c>";
        return cells;
    }();
    const struct {
        const char* name;
        std::string sheetData;
        const char* reason;
    } cases[] = {
        {"cells without a reference past the last column",
         "<row>" + cellsPastTheLastColumn + "</row>", "单元格位置不对"},
        {"the same with a later row already read",
         R"(<row r="2"><c r="A2"><v>5</v></c></row><row r="1">)" + cellsPastTheLastColumn +
             "</row>",
         "单元格位置不对"},
        {"a cell without a reference after the last column",
         R"(<row r="1"><c r="XFD1"><v>1</v></c><c><v>2</v></c></row>)", "单元格位置不对"},
        {"a row number of zero", R"(<row r="0"><c><v>1</v></c></row>)", "单元格位置不对"},
        {"a row number past the last row", R"(<row r="1048577"><c><v>1</v></c></row>)",
         "单元格位置不对"},
        {"a row number too large for a whole number",
         R"(<row r="99999999999999999999"><c><v>1</v></c></row>)", "单元格位置不对"},
        {"a cell reference without a row", R"(<row><c r="B"><v>1</v></c></row>)", "单元格位置不对"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path("damaged.xlsx");
        writeOneSheet(file, "<worksheet><sheetData>" + c.sheetData + "</sheetData></worksheet>");
        const QString error = readError(file);
        EXPECT_TRUE(error.startsWith("工作簿文件已损坏")) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason))) << error.toStdString();
    }
}

// Column width ranges whose bounds overflow a whole number or run backwards.
TEST_F(WorkbookTest, DamagedColumnRangesAreRefused) {
    for (const char* cols :
         {R"(<col min="1" max="-2147483648" width="30"/>)",
          R"(<col min="2147483647" max="2147483647" width="30"/>)",
          R"(<col min="-2147483648" max="3" width="30"/>)", R"(<col min="5" max="2" width="30"/>)",
          R"(<col min="0" max="2" width="30"/>)", R"(<col min="x" max="2" width="30"/>)"}) {
        SCOPED_TRACE(cols);
        const QString file = path("cols.xlsx");
        writeOneSheet(
            file, std::string("<worksheet><cols>") + cols +
                      R"(</cols><sheetData><row><c><v>1</v></c></row></sheetData></worksheet>)");
        const QString error = readError(file);
        EXPECT_TRUE(error.contains("列宽范围不对")) << error.toStdString();
    }
    // A range running on past the last column is cut there, as some writers
    // style every column to the end.
    const QString file = path("wide.xlsx");
    writeOneSheet(
        file,
        R"(<worksheet><cols><col min="2" max="99999" width="20"/></cols><sheetData><row><c><v>1</v></c><c><v>2</v></c></row></sheetData></worksheet>)");
    const Sheet s = WorkbookReader::read(file);
    EXPECT_EQ(s.columnCount(), 2);
    EXPECT_EQ(s.columnWidth(1), WorkbookReader::widthFromFile(20));
}

namespace {

// Number format codes as workbooks made elsewhere hold them, one number each,
// and the text a spreadsheet application shows.
struct ShownCase {
    const char* code;
    double value;
    const char* shown;
};
const ShownCase shownCases[] = {
    {"\"¥\"#,##0.00", 1234.5, "¥1,234.50"},
    {"[$¥-804]#,##0.00", -1234.5, "-¥1,234.50"},
    {"#,##0.00\" 元\"", 1234.5, "1,234.50 元"},
    {"0.00\"万元\"", 12.345, "12.35万元"},
    {"0.00;(0.00)", -5, "(5.00)"},
    {"0.00;-0.00;\"-\"", 0, "-"},
    {"0.00E+00", 12345.678, "1.23E+04"},
    {"# ?/?", 1.5, "1 1/2"},
    {"[h]:mm:ss", 1.5 + 60.0 / 86400, "36:01:00"},
    {"mm:ss", 90.0 / 86400, "01:30"},
    {"\"TRUE\";\"TRUE\";\"FALSE\"", 0, "FALSE"},
    {"0.00", 2.675, "2.68"},
    {"yyyy\"年\"m\"月\"d\"日\";@", 38018, "2004年2月1日"},
    {"h:mm AM/PM", 0.75, "6:00 PM"},
    {"#,##0", 1234567.891, "1,234,568"},
    {"0%", 0.125, "13%"},
};

std::string xmlEscaped(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p)
        out += *p == '"'   ? std::string("&quot;")
               : *p == '&' ? std::string("&amp;")
                           : std::string(1, *p);
    return out;
}

} // namespace

TEST_F(WorkbookTest, NumberFormatsShowWhatSpreadsheetApplicationsShow) {
    // By hand: one cell format per code, plus built-in numbers.
    std::string numFmts;
    std::string xfs = R"(<xf numFmtId="0"/>)";
    std::string rows;
    int row = 1;
    for (const ShownCase& c : shownCases) {
        numFmts += "<numFmt numFmtId=\"" + std::to_string(163 + row) + "\" formatCode=\"" +
                   xmlEscaped(c.code) + "\"/>";
        xfs += "<xf numFmtId=\"" + std::to_string(163 + row) + "\"/>";
        rows += "<row r=\"" + std::to_string(row) + "\"><c r=\"A" + std::to_string(row) +
                "\" s=\"" + std::to_string(row) + "\"><v>" +
                QString::number(c.value, 'g', 17).toStdString() + "</v></c></row>";
        ++row;
    }
    const struct {
        int id;
        double value;
        const char* shown;
    } builtIns[] = {{12, 2.25, "2 1/4"},         {46, 2.5, "60:00:00"}, {14, 38018, "2004-02-01"},
                    {31, 38018, "2004年2月1日"}, {49, 7.5, "7.5"},      {11, 0.5, "5.00E-01"}};
    for (const auto& b : builtIns) {
        xfs += "<xf numFmtId=\"" + std::to_string(b.id) + "\"/>";
        rows += "<row r=\"" + std::to_string(row) + "\"><c r=\"A" + std::to_string(row) +
                "\" s=\"" + std::to_string(row) + "\"><v>" +
                QString::number(b.value, 'g', 17).toStdString() + "</v></c></row>";
        ++row;
    }
    const QString file = path("formats.xlsx");
    writeZip(
        file,
        {{"xl/workbook.xml", oneSheetWorkbook},
         {"xl/_rels/workbook.xml.rels",
          R"(<Relationships><Relationship Id="rId1" Type="x/worksheet" Target="worksheets/sheet1.xml"/>)"
          R"(<Relationship Id="rId2" Type="x/styles" Target="styles.xml"/></Relationships>)"},
         {"xl/styles.xml", "<styleSheet><numFmts>" + numFmts + "</numFmts><cellXfs>" + xfs +
                               "</cellXfs></styleSheet>"},
         {"xl/worksheets/sheet1.xml",
          "<worksheet><sheetData>" + rows + "</sheetData></worksheet>"}});
    const Sheet byHand = WorkbookReader::read(file);
    row = 0;
    for (const ShownCase& c : shownCases)
        EXPECT_EQ(byHand.text(row++, 0).toStdString(), c.shown) << "by hand: " << c.code;
    for (const auto& b : builtIns)
        EXPECT_EQ(byHand.text(row++, 0).toStdString(), b.shown) << "built in " << b.id;

    // Through another writer, which gives known codes their built-in numbers.
    const QString other = path("lxw-formats.xlsx");
    lxw_workbook* wb = workbook_new(QFile::encodeName(other).constData());
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    row = 0;
    for (const ShownCase& c : shownCases) {
        lxw_format* f = workbook_add_format(wb);
        format_set_num_format(f, c.code);
        worksheet_write_number(ws, lxw_row_t(row++), 0, c.value, f);
    }
    ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);
    const Sheet written = WorkbookReader::read(other);
    row = 0;
    for (const ShownCase& c : shownCases)
        EXPECT_EQ(written.text(row++, 0).toStdString(), c.shown) << "written: " << c.code;
}

// Escaped texts, the 1904 date system, dates as ISO text, formulas without a
// value and shared formulas, as other programs write them.
TEST_F(WorkbookTest, ReadsWhatOtherProgramsWrite) {
    const std::string styles =
        R"(<styleSheet><numFmts><numFmt numFmtId="164" formatCode="yyyy-mm-dd"/></numFmts>)"
        R"(<cellXfs><xf numFmtId="0"/><xf numFmtId="164"/></cellXfs></styleSheet>)";
    const std::string strings =
        R"(<sst><si><t>a_x0001_b</t></si><si><t>_x005F_x0041_</t></si><si><t>_x00_x004</t></si></sst>)";
    const std::string sheet =
        R"(<worksheet><sheetData><row r="1">)"
        R"(<c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c>)"
        R"(<c r="D1" t="inlineStr"><is><t>x_x000D_y</t></is></c>)"
        R"(<c r="E1" t="str"><f>"_x0009_"</f><v>_x0009_</v></c></row>)"
        R"(<row r="2"><c r="A2" s="1"><v>36556</v></c><c r="B2" t="d" s="1"><v>2004-02-01T00:00:00</v></c>)"
        R"(<c r="C2" t="d"><v>2004-02-01T08:30:00</v></c><c r="D2"><f>A1*B1</f></c>)"
        R"(<c r="E2"><f>A1*B1</f><v></v></c></row>)"
        R"(<row r="3"><c r="A3"><v>1</v></c><c r="B3"><f t="shared" ref="B3:C5" si="0">A3*2+$A$3+A$1+SUM(B:B)+COUNT(2:$3)</f><v>2</v></c>)"
        R"(<c r="C3"><f t="shared" si="0"/><v>4</v></c></row>)"
        R"(<row r="4"><c r="A4"><v>2</v></c><c r="B4"><f t="shared" si="0"/><v>5</v></c></row>)"
        R"(<row r="5"><c r="C5"><f t="shared" si="0"></f></c></row>)"
        R"(<row r="6"><c r="A6"><f t="shared" ref="A6:A7" si="1">SUM(A1:B1)&amp;"A1"&amp;'A1'!A1</f><v>0</v></c></row>)"
        R"(<row r="7"><c r="A7"><f t="shared" si="1"/><v>0</v></c></row>)"
        R"(</sheetData></worksheet>)";
    for (const bool date1904 : {true, false}) {
        SCOPED_TRACE(date1904 ? "1904" : "1900");
        const QString file = path("other.xlsx");
        writeZip(
            file,
            {{"xl/workbook.xml",
              std::string("<workbook>") +
                  (date1904 ? R"(<workbookPr date1904="1"/>)" : "<workbookPr/>") +
                  R"(<sheets><sheet name="a" r:id="rId1" xmlns:r="r"/></sheets></workbook>)"},
             {"xl/_rels/workbook.xml.rels",
              R"(<Relationships><Relationship Id="rId1" Type="x/worksheet" Target="worksheets/sheet1.xml"/>)"
              R"(<Relationship Id="rId2" Type="x/styles" Target="styles.xml"/>)"
              R"(<Relationship Id="rId3" Type="x/sharedStrings" Target="strings.xml"/></Relationships>)"},
             {"xl/styles.xml", styles},
             {"xl/strings.xml", strings},
             {"xl/worksheets/sheet1.xml", sheet}});
        const Sheet s = WorkbookReader::read(file);
        const QString date = date1904 ? "2004-02-01" : "2000-01-31";
        EXPECT_EQ(texts(s), (QList<QStringList>{{"a\u0001b", "_x0041_", "_x00_x004", "x\ry", "\t"},
                                                {date, "2004-02-01", "2004-02-01 08:30:00", "", ""},
                                                {"1", "2", "4", "", ""},
                                                {"2", "5", "", "", ""},
                                                {"", "", "", "", ""},
                                                {"0", "", "", "", ""},
                                                {"0", "", "", "", ""}}));
        EXPECT_EQ(s.entry(1, 3), "=A1*B1");
        EXPECT_EQ(s.entry(2, 1), "=A3*2+$A$3+A$1+SUM(B:B)+COUNT(2:$3)");
        EXPECT_EQ(s.entry(2, 2), "=B3*2+$A$3+B$1+SUM(C:C)+COUNT(2:$3)");
        EXPECT_EQ(s.entry(3, 1), "=A4*2+$A$3+A$1+SUM(B:B)+COUNT(3:$3)");
        EXPECT_EQ(s.entry(4, 2), "=B5*2+$A$3+B$1+SUM(C:C)+COUNT(4:$3)");
        EXPECT_EQ(s.entry(6, 0), "=SUM(A2:B2)&\"A1\"&'A1'!A2");
    }
}
