#pragma once

#include <QDateTime>
#include <QPrintPreviewDialog>

#include <functional>
#include <memory>

namespace quill {

class Worksheet;

// The print preview window of a worksheet, which it keeps alive. A page
// setup button, when a handler is given, lets the user change the page
// setup; the handler stores it and the pages are laid out again.
class PrintPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    PrintPreview(std::shared_ptr<Worksheet> sheet, QDateTime now, QWidget* parent);

    // Changes the sheet's page setup; false when the user cancelled.
    using PageSetupHandler = std::function<bool(QWidget* parent, Worksheet& sheet)>;
    void setPageSetupHandler(PageSetupHandler handler);

    int pageCount() const;
    // How long laying the pages out runs before it shows its progress.
    static constexpr int ProgressDelay = 500;
    // Lays the pages out again after a page setup change.
    void refresh();

private:
    void paint(QPrinter* printer);

    std::shared_ptr<Worksheet> m_sheet;
    QDateTime m_now;
    PageSetupHandler m_pageSetup;
};

} // namespace quill
