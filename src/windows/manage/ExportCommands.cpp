#include "windows/manage/ExportCommands.h"

#include "platform/grid/F1Book.h"
#include "platform/grid/GridError.h"
#include "platform/ui/Ui.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ChartExport.h"
#include "windows/manage/ChartWindow.h"
#include "windows/manage/PageOutput.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/TextExport.h"
#include "windows/manage/WorkbookExport.h"
#include "windows/manage/frmRSGL.h"

#include <QCoreApplication>
#include <QDir>

namespace quill {

// "EXCEL FILE(*.xls)|*.xls|VTS FILE(*.vts)|*.vts" and "TXT FILE(*.TXT)|*.TXT".
const QString ExportCommands::WorkbookFilter = QStringLiteral("EXCEL FILE(*.xls);;VTS FILE(*.vts)");
const QString ExportCommands::TextFilter = QStringLiteral("TXT FILE(*.TXT)");

ExportCommands::ExportCommands(frmRSGL& window)
    : m_window(window) {}

void ExportCommands::exportSheet() {
    if (frmRSGL::titleSetting(QStringLiteral("TXT")) == QLatin1String("YES"))
        exportText();
    else
        exportWorkbook();
}

void ExportCommands::exportText() {
    // A module has no folder of its own here: the dialog starts in the work folder.
    const QString path =
        Ui::current()
            .saveFileName(QStringLiteral("输出"), SuiteLib::instance().WorkFolder, TextFilter)
            .trimmed();
    QCoreApplication::processEvents();
    if (path.isEmpty())
        return;
    try {
        TextExport::write(*m_window.F1Book1, path, TextExport::Mode::Append);
    } catch (const GridError& e) {
        MsgBox(QStringLiteral("输出文本失败,文件没有写完:\n") + e.message());
        return;
    }
    MsgBox(QStringLiteral("输出文本完毕"));
}

void ExportCommands::exportWorkbook() {
    const QString path =
        Ui::current()
            .saveFileName(QStringLiteral("输出"), SuiteLib::instance().WorkFolder, WorkbookFilter)
            .trimmed();
    if (path.isEmpty())
        return;
    try {
        WorkbookExport::write(*m_window.F1Book1, m_window.reportName(),
                              PageOutput::kindOf(m_window.renderer()), path);
    } catch (const GridError& e) {
        MsgBox(QStringLiteral("输出工作簿失败:\n") + e.message());
        return;
    }
    handOver(path);
}

ChartWindow* ExportCommands::chart() {
    const QString path = PageOutput::temporaryWorkbook();
    const ChartExport::Made made =
        ChartExport::make(*m_window.F1Book1, m_window.renderer().TemplateParam(1));
    try {
        ChartExport::write(made, path);
    } catch (const GridError& e) {
        MsgBox(QStringLiteral("图表无法生成:\n") + e.message());
        return nullptr;
    }
    handOver(path);
    auto* window = new ChartWindow(made.chart, made.chart.read(made.sheet), &m_window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Modal like every window of the module, shown without a loop of its own.
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    return window;
}

void ExportCommands::handOver(const QString& path) {
    if (!Ui::current().openInSpreadsheet(path))
        MsgBox(QStringLiteral("文件已写入 %1，但无法用电子表格程序打开它（%2）。")
                   .arg(QDir::toNativeSeparators(path), Ui::spreadsheetCommand()));
}

} // namespace quill
