#include "platform/office/PrintPreview.h"

#include "platform/office/SheetPrinter.h"
#include "platform/office/Worksheet.h"

#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QToolBar>

namespace quill {

PrintPreview::PrintPreview(std::shared_ptr<Worksheet> sheet, QDateTime now, QWidget* parent)
    : QPrintPreviewDialog(parent)
    , m_sheet(std::move(sheet))
    , m_now(std::move(now)) {
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(QStringLiteral("打印预览 - ") + m_sheet->Name());
    SheetPrinter(*m_sheet, m_now).setUp(*printer());
    connect(this, &QPrintPreviewDialog::paintRequested, this, &PrintPreview::paint);
}

void PrintPreview::setPageSetupHandler(PageSetupHandler handler) {
    const bool first = !m_pageSetup;
    m_pageSetup = std::move(handler);
    auto* bar = findChild<QToolBar*>();
    if (!first || !bar)
        return;
    bar->addSeparator();
    bar->addAction(QStringLiteral("页面设置"), this, [this] {
        if (m_pageSetup && m_pageSetup(this, *m_sheet))
            refresh();
    });
}

int PrintPreview::pageCount() const {
    const auto* widget = findChild<QPrintPreviewWidget*>();
    return widget ? widget->pageCount() : 0;
}

void PrintPreview::refresh() {
    SheetPrinter(*m_sheet, m_now).setUp(*printer());
    if (auto* widget = findChild<QPrintPreviewWidget*>())
        widget->updatePreview();
}

void PrintPreview::paint(QPrinter* target) {
    // Every page is laid out before the first shows: a long sheet shows how
    // far that has come.
    const SheetPrinter printer(*m_sheet, m_now);
    QProgressDialog progress(QStringLiteral("正在生成打印预览..."), QString(), 0,
                             printer.pageCount(), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(ProgressDelay);
    printer.print(*target, [&](int page) { progress.setValue(page); });
}

} // namespace quill
