#include "windows/manage/ResultSheetRenderer.h"

#include "foundation/ReportStore.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "platform/grid/WorkbookReader.h"
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

QString ResultSheetRenderer::templateFile(const QString& reportName) {
    const QString file = ReportStore::workbookPath(reportName);
    return !reportName.isEmpty() && QFileInfo(file).isFile() ? file : QString();
}

QString ResultSheetRenderer::sheetFile(const QString& reportName) {
    const QString file = templateFile(reportName);
    return file.isEmpty() ? SuiteLib::instance().ReportFolder + QStringLiteral("/quill.vts") : file;
}

ResultSheetRenderer::Prepared ResultSheetRenderer::prepare(const QString& reportName) {
    Prepared run;
    run.data = std::make_unique<Recordset>();
    run.recordCount = openQuery(*run.data);
    readLookups(*run.data, run.recordCount);
    run.layout = layoutFor(reportName, run.recordCount);
    return run;
}

void ResultSheetRenderer::show(Prepared& run, bool blankForZero) {
    load(run.layout);
    fill(*run.data, run.recordCount, run.layout, blankForZero);
}

int ResultSheetRenderer::openQuery(Recordset& data) {
    SuiteLib& lib = SuiteLib::instance();
    lib.joinQuery();
    if (!lib.Connection)
        throw DbError(QStringLiteral("没有打开的数据库连接"));
    // Records beyond the first one left out are never read: the sheet only
    // needs to know that there are more. Nor is the snapshot held once they
    // are read, however long the sheet stays shown.
    data.SetMaxRecords(MaxRows + 1);
    data.Open(lib.QuerySql, *lib.Connection);
    return data.RecordCount();
}

ResultSheetRenderer::Layout ResultSheetRenderer::layoutFor(const QString& reportName,
                                                           int recordCount) {
    Layout layout;
    const QString own = templateFile(reportName);
    layout.isTemplate = !own.isEmpty();
    layout.file = layout.isTemplate ? own : sheetFile(QString());
    layout.sheet = WorkbookReader::read(layout.file);
    if (layout.isTemplate) {
        layout.parameters = TemplateSheet::parametersOf(layout.sheet);
        TemplateSheet::checkLayout(layout.parameters, recordCount);
    }
    return layout;
}

void ResultSheetRenderer::readLookups(const Recordset& data, int recordCount) {
    if (recordCount <= 0)
        return;
    for (const SheetColumn& column : SheetColumn::resolve(data)) {
        if (column.orgLevel > 0) {
            SuiteLib::instance().loadOrganisation();
            return;
        }
    }
}

void ResultSheetRenderer::load(Layout& layout) {
    m_book.ReadSheet(std::move(layout.sheet));
    m_book.SetAllowCellEditing(false);
    m_book.setEnterMovesDown(false);
    m_book.setShowColHeading(!layout.isTemplate);
    m_book.SetAllowEditB(false);
    m_book.SetAllowEditC(false);
}

void ResultSheetRenderer::fill(Recordset& data, int recordCount, const Layout& layout,
                               bool blankForZero) {
    m_recordCount = recordCount;
    m_parameters = layout.parameters;
    m_pageCount = 0;
    m_rowsPerBlock = 0;
    m_progressShown = false;
    if (layout.isTemplate)
        renderTemplate(data, blankForZero);
    else
        renderDefault(data, blankForZero);
    m_book.SetSheetName(1, SuiteLib::instance().QueryCaption);
    if (m_recordCount > 0)
        data.MoveFirst();
}

std::vector<SheetColumn> ResultSheetRenderer::resolveColumns(Recordset& data) {
    std::vector<SheetColumn> columns = SheetColumn::resolve(data);
    m_book.SetLastCol(int(columns.size()));
    return columns;
}

void ResultSheetRenderer::renderDefault(Recordset& data, bool blankForZero) {
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
    RenderProgress progress(m_book.window(), rows, m_progressDelay, m_progressReport);
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

void ResultSheetRenderer::renderTemplate(Recordset& data, bool blankForZero) {
    TemplateSheet::clearParameters(m_book);
    m_book.SetSheetName(1, QString());
    const std::vector<SheetColumn> columns = resolveColumns(data);
    SheetCellWriter writer(m_book, data, columns, blankForZero);
    RenderProgress progress(m_book.window(), m_recordCount, m_progressDelay, m_progressReport);
    TemplateSheet sheet(m_book, data, columns, writer, progress, m_recordCount);
    sheet.render(m_parameters);
    m_pageCount = sheet.pageCount();
    m_rowsPerBlock = sheet.rowsPerBlock();
    m_progressShown = progress.shown();
}

} // namespace quill
