#include "windows/manage/PageOutput.h"

#include "foundation/Mdlx.h"
#include "platform/grid/CellRange.h"
#include "platform/grid/F1Book.h"
#include "platform/office/Application.h"
#include "platform/office/PrintPreview.h"
#include "platform/office/WorkbookFile.h"
#include "platform/ui/Ui.h"
#include "suite/SuiteLib.h"
#include "windows/manage/PageSetupDialog.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/StoredPageSetup.h"

#include <QWidget>

#include <exception>

namespace quill {

namespace {

// Last row and column a clear of the export reaches, as the workbook always
// had them.
constexpr int ClearLastRow = 16000;
constexpr int ClearLastCol = 104; // CZ

// The absolute reference of any column, "$CV" for 100: print areas and
// clears need the true name where the grid's formula references stop at 99.
QString absoluteColumn(int col) {
    return QLatin1Char('$') + CellRange::columnName(col - 1);
}

QString printArea(int lastCol, int lastRow) {
    return QStringLiteral("$A$1:") + absoluteColumn(lastCol) + Mdlx::RowRef(lastRow);
}

// Runs one step; one that fails is passed over.
template <typename Step> void passOver(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace

PageOutput::PageOutput(F1Book& book, QWidget* window)
    : QObject(window)
    , m_book(book)
    , m_window(window) {}

PageOutput::~PageOutput() = default;

PageOutput& PageOutput::of(QWidget& window, F1Book& book) {
    if (auto* existing = window.findChild<PageOutput*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new PageOutput(book, &window);
}

PageOutput::Kind PageOutput::kindOf(const ResultSheetRenderer& renderer) {
    if (renderer.TemplateParam(1) <= 0)
        return Kind::Default;
    return renderer.TemplateParam(2) > 0 ? Kind::PagedTemplate : Kind::UnpagedTemplate;
}

QString PageOutput::temporaryWorkbook() {
    return SuiteLib::instance().WorkFolder + QStringLiteral("/Tmp.xls");
}

QString PageOutput::fallbackPdf() {
    return SuiteLib::instance().WorkFolder + QStringLiteral("/Tmp.pdf");
}

Worksheet* PageOutput::sheet() const {
    if (!m_app)
        return nullptr;
    try {
        return &m_app->activeSheet();
    } catch (const std::exception&) {
        return nullptr;
    }
}

void PageOutput::writeAndRun(const QString& reportName, Kind kind, int mode) {
    passOver([&] { m_book.WriteFile(temporaryWorkbook(), 4); });
    run(reportName, kind, mode);
}

void PageOutput::run(const QString& reportName, Kind kind, int mode) {
    m_app = std::make_unique<Application>();
    Worksheet* opened = nullptr;
    passOver([&] { opened = &m_app->open(temporaryWorkbook()); });
    if (!opened) {
        m_app.reset();
        return;
    }
    Worksheet& sheet = *opened;
    // The caption as the grid shows it, which the file may have shortened.
    sheet.setName(m_book.SheetName(1));
    m_app->setNow(QDateTime(today(), QTime::currentTime()));
    layOut(sheet, m_book, reportName, kind, today());
    output(sheet, reportName, kind, mode);
}

void PageOutput::layOut(Worksheet& sheet, const F1Book& book, const QString& reportName, Kind kind,
                        QDate today) {
    StoredPageSetup::apply(sheet.pageSetup(), reportName, today);
    applyLayout(sheet, book, reportName, kind, today);
}

void PageOutput::applyLayout(Worksheet& sheet, const F1Book& book, const QString& reportName,
                             Kind kind, QDate today) {
    PageSetup& setup = sheet.pageSetup();
    const int lastCol = book.LastCol();
    const int lastRow = book.LastRow();
    switch (kind) {
    case Kind::PagedTemplate:
        // Its page blocks carry their own headers and footers.
        setup.LeftFooter.clear();
        setup.CenterFooter.clear();
        setup.RightFooter.clear();
        setup.PrintArea = printArea(lastCol, lastRow);
        setup.CenterHeader.clear();
        setup.PrintTitleRows.clear();
        return;
    case Kind::UnpagedTemplate:
        setup.LeftFooter = QStringLiteral("&\"宋体,加粗\"&12");
        setup.CenterFooter =
            QStringLiteral("&\"宋体,加粗\"&12& 制表:________     审查:________     "
                           "核准:________    第 &P & 页,共 &N & 页");
        setup.RightFooter = QStringLiteral("&\"宋体,加粗\"&12");
        setup.PrintArea = printArea(lastCol, lastRow);
        setup.CenterHeader.clear();
        setup.PrintTitleRows = QStringLiteral("$1:$4");
        return;
    case Kind::Default:
        setup.LeftFooter = QStringLiteral("&\"Times New Roman,常规\"&N");
        // A footer the report keeps prints instead of the standard one.
        if (!StoredPageSetup::hasCenterFooter(reportName))
            setup.CenterFooter = StoredPageSetup::preparerFooter(today);
        setup.RightFooter = QStringLiteral("&\"Times New Roman,常规\"&P");
        passOver([&] { insertHeadingRow(sheet, book); });
        setup.PrintTitleRows = QStringLiteral("$1:$1");
        setup.CenterHeader = QStringLiteral("&\"宋体,加粗\"&16&A");
        setup.PrintArea = printArea(lastCol, lastRow + 1);
        return;
    }
}

bool PageOutput::editPageSetup(QWidget* parent, Worksheet& sheet, const QString& reportName,
                               Kind kind) {
    PageSetupDialog dialog(sheet.pageSetup(),
                           StoredPageSetup::value(reportName, QStringLiteral("CenterFooter")),
                           parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    try {
        StoredPageSetup::store(reportName, dialog.pageSetup(), dialog.footer());
    } catch (const std::exception& e) {
        MsgBox(QStringLiteral("页面设置无法保存: ") + QString::fromStdString(e.what()));
    }
    sheet.pageSetup() = dialog.pageSetup();
    // Templates keep the footers of their fixed layout.
    if (kind == Kind::Default)
        sheet.pageSetup().CenterFooter = StoredPageSetup::centerFooter(dialog.footer(), today());
    return true;
}

void PageOutput::output(Worksheet& sheet, const QString& reportName, Kind kind, int mode) {
    switch (mode) {
    case Preview:
        passOver([&] {
            m_preview = m_app->printPreview(m_window);
            m_preview->setPageSetupHandler(
                [this, reportName, kind](QWidget* parent, Worksheet& ws) {
                    return editPageSetup(parent, ws, reportName, kind);
                });
        });
        return;
    case Print:
        passOver([&] {
            const QString pdf = m_app->printOut(fallbackPdf());
            if (!pdf.isEmpty())
                MsgBox(QStringLiteral("没有可用的打印机,已打印到文件: ") + pdf);
        });
        m_app.reset();
        return;
    case OpenForUser: {
        clearOutside(sheet, m_book, kind);
        bool written = false;
        passOver([&] {
            WorkbookFile::save(sheet, temporaryWorkbook());
            written = true;
        });
        if (written)
            Ui::current().openInSpreadsheet(temporaryWorkbook());
        return;
    }
    default:
        return;
    }
}

void PageOutput::insertHeadingRow(Worksheet& sheet, const F1Book& book) {
    sheet.range(QStringLiteral("A1")).Select();
    sheet.range(QStringLiteral("A1")).EntireRow().Insert();
    for (int c = 1; c <= book.LastCol(); ++c) {
        Range cell = sheet.Cells(1, c);
        cell.setValue(book.ColHeading(c));
        cell.setBold(true);
    }
}

void PageOutput::clearOutside(Worksheet& sheet, const F1Book& book, Kind kind) {
    // Clears what lies right of and below the data, never the data itself.
    const int lastCol = book.LastCol();
    if (lastCol + 1 <= ClearLastCol)
        passOver([&] {
            sheet.range(absoluteColumn(lastCol + 1) + QStringLiteral("1:CZ16000")).ClearContents();
        });
    const int below = book.LastRow() + (kind == Kind::Default ? 2 : 1);
    if (below <= ClearLastRow)
        passOver([&] {
            sheet.range(QStringLiteral("A") + Mdlx::RowRef(below) + QStringLiteral(":CZ16000"))
                .ClearContents();
        });
    passOver([&] { sheet.range(QStringLiteral("A1")).Select(); });
}

} // namespace quill
