#include "platform/office/Application.h"

#include "platform/grid/GridError.h"
#include "platform/grid/WorkbookReader.h"
#include "platform/office/PrintPreview.h"
#include "platform/office/SheetPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace quill {

Application::Application() = default;
Application::~Application() = default;

Worksheet& Application::open(const QString& path) {
    m_sheet = std::make_shared<Worksheet>(WorkbookReader::read(path));
    return *m_sheet;
}

Worksheet& Application::activeSheet() {
    if (!m_sheet)
        throw GridError(QStringLiteral("没有打开的工作簿"));
    return *m_sheet;
}

PrintPreview* Application::printPreview(QWidget* parent) {
    activeSheet();
    auto* window = new PrintPreview(m_sheet, now(), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Modal like every window of the module, but shown without a loop of its
    // own, so the output routine returns at once.
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    return window;
}

QString Application::printOut(const QString& fallbackPdf) {
    if (QPrinterInfo::defaultPrinter().isNull()) {
        printToPdf(fallbackPdf);
        return fallbackPdf;
    }
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    SheetPrinter(activeSheet(), now()).print(printer);
    return {};
}

void Application::printToPdf(const QString& path) {
    printToPdf(activeSheet(), now(), path);
}

void Application::printToPdf(const Worksheet& sheet, const QDateTime& now, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    SheetPrinter(sheet, now).print(printer);
}

} // namespace quill
