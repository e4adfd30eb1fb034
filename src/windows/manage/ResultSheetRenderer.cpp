#include "windows/manage/ResultSheetRenderer.h"

#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "platform/vb/Val.h"
#include "suite/SuiteLib.h"
#include "windows/manage/RenderProgress.h"
#include "windows/manage/SheetCellWriter.h"
#include "windows/manage/SheetColumn.h"
#include "windows/manage/SheetTotals.h"
#include "windows/manage/TemplateSheet.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace quill {

namespace {

constexpr int DefaultColumnWidth = 3072;

// A saved width as the grid takes it: a 16-bit whole number.
int widthOf(const QString& saved) {
    if (saved.isEmpty())
        return DefaultColumnWidth;
    return int(std::clamp(std::nearbyint(vb::Val(saved)), 0.0, 32767.0));
}

} // namespace

ResultSheetRenderer::ResultSheetRenderer(F1Book& book)
    : m_book(book) {}

int ResultSheetRenderer::TemplateParam(int k) const {
    return k >= 1 && k <= 5 ? m_parameters[std::size_t(k - 1)] : 0;
}

void ResultSheetRenderer::Render(Recordset& data, const QString& reportName, bool blankForZero) {
    openQuery(data);
    m_parameters = {};
    m_pageCount = 0;
    m_rowsPerBlock = 0;
    m_progressShown = false;
    const SuiteLib& lib = SuiteLib::instance();
    const QString file = lib.ReportFolder + QLatin1Char('/') + reportName + QStringLiteral(".vts");
    if (!reportName.isEmpty() && QFileInfo(file).isFile())
        renderTemplate(data, file, blankForZero);
    else
        renderDefault(data, blankForZero);
    m_book.SetSheetName(1, lib.QueryCaption);
    if (m_recordCount > 0)
        data.MoveFirst();
}

void ResultSheetRenderer::openQuery(Recordset& data) {
    data.Close();
    SuiteLib& lib = SuiteLib::instance();
    lib.joinQuery();
    if (!lib.Connection)
        throw DbError(QStringLiteral("没有打开的数据库连接"));
    data.Open(lib.QuerySql, *lib.Connection);
    m_recordCount = 0;
    for (; !data.Eof(); data.MoveNext())
        ++m_recordCount;
    if (m_recordCount > 0)
        data.MoveFirst();
}

void ResultSheetRenderer::loadSheet(const QString& file, bool colHeadings) {
    m_book.ReadFile(file);
    m_book.SetAllowCellEditing(false);
    m_book.setEnterMovesDown(false);
    m_book.setShowColHeading(colHeadings);
    m_book.SetAllowEditB(false);
    m_book.SetAllowEditC(false);
}

std::vector<SheetColumn> ResultSheetRenderer::resolveColumns(Recordset& data) {
    std::vector<SheetColumn> columns = SheetColumn::resolve(data);
    m_book.SetLastCol(int(columns.size()));
    return columns;
}

void ResultSheetRenderer::renderDefault(Recordset& data, bool blankForZero) {
    const SuiteLib& lib = SuiteLib::instance();
    loadSheet(lib.ReportFolder + QStringLiteral("/quill.vts"), true);
    const std::vector<SheetColumn> columns = resolveColumns(data);
    for (const SheetColumn& column : columns)
        m_book.SetColHeading(column.field + 1, column.caption);
    applySavedWidths(columns);

    if (m_recordCount <= 0) {
        m_book.SetLastRow(1);
        for (int c = 1; c <= m_book.LastCol(); ++c)
            m_book.SetCellText(1, c, QString());
        return;
    }
    const int rows = std::min(m_recordCount, MaxRows);
    m_book.SetLastRow(rows);
    SheetCellWriter writer(m_book, data, columns, blankForZero);
    RenderProgress progress(m_book.window(), rows, m_progressDelay);
    for (int r = 1; r <= rows; ++r) {
        writer.writeRecord(r, 1);
        progress.step(r);
        data.MoveNext();
    }
    m_progressShown = progress.shown();
    SheetTotals::append(m_book, columns, {{1, rows}}, 1);
}

void ResultSheetRenderer::applySavedWidths(const std::vector<SheetColumn>& columns) {
    SuiteLib& lib = SuiteLib::instance();
    const QString settings = lib.settingsPath();
    const QString prefix = lib.TableName + QLatin1Char('-');
    if (m_parameters[0] != 0 ||
        lib.ReadSetting(QStringLiteral("COLUMN"), prefix + QStringLiteral("OK"), settings) !=
            QLatin1String("OK"))
        return;
    for (const SheetColumn& column : columns) {
        QString field = column.fieldName;
        // a sum shares its field's width
        if (field.contains(QLatin1String("sum")))
            field = field.mid(3);
        m_book.SetColWidthOf(column.field + 1, widthOf(lib.ReadSetting(QStringLiteral("COLUMN"),
                                                                       prefix + field, settings)));
    }
}

void ResultSheetRenderer::renderTemplate(Recordset& data, const QString& file, bool blankForZero) {
    loadSheet(file, false);
    m_parameters = TemplateSheet::readParameters(m_book);
    m_book.SetSheetName(1, QString());
    const std::vector<SheetColumn> columns = resolveColumns(data);
    SheetCellWriter writer(m_book, data, columns, blankForZero);
    RenderProgress progress(m_book.window(), m_recordCount, m_progressDelay);
    TemplateSheet sheet(m_book, data, columns, writer, progress, m_recordCount);
    sheet.render(m_parameters);
    m_pageCount = sheet.pageCount();
    m_rowsPerBlock = sheet.rowsPerBlock();
    m_progressShown = progress.shown();
}

} // namespace quill
