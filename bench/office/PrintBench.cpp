// Printing the default result sheet of 16380 records x 20 fields from the
// demo data into a PDF file, against a bare loop that draws the same cell
// texts with QPainter::drawText into the same kind of PDF writer, in the same
// run; and the time the preview window takes to its first page.
#include "bench/manage/PayWorkspace.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "platform/office/Application.h"
#include "platform/office/PrintPreview.h"
#include "platform/office/SheetPrinter.h"
#include "suite/SuiteLib.h"
#include "windows/manage/PageOutput.h"
#include "windows/manage/ResultSheetRenderer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPrinter>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace quill::bench {

namespace {

// The default sheet of the demo's pay table, rendered once and made ready
// for print as the print command makes it.
class PrintedSheet {
public:
    PrintedSheet() {
        PayWorkspace::queryFullSheet();
        ResultSheetRenderer renderer(m_book);
        renderer.setProgressDelay(1 << 30);
        ResultSheetRenderer::Prepared run = renderer.prepare(QString());
        renderer.show(run, false);
        m_output = &PageOutput::of(m_window, m_book);
        m_output->writeAndRun(QString(), PageOutput::Kind::Default, PageOutput::OpenForUser);
    }

    bool ready() const {
        return m_output->sheet() && m_book.LastRow() >= 16380 && m_book.LastCol() == 20;
    }
    Application& application() { return *m_output->application(); }
    const Worksheet& sheet() const { return *m_output->sheet(); }
    PageOutput& output() { return *m_output; }
    QString pdf() const { return m_workspace.path(QStringLiteral("out.pdf")); }

private:
    PayWorkspace m_workspace{PayWorkspace::fullSheetData(), std::nullopt,
                             QStringLiteral("print_bench_")};
    QWidget m_window;
    F1Book m_book;
    PageOutput* m_output = nullptr;
};

PrintedSheet& printed() {
    static PrintedSheet sheet;
    return sheet;
}

// The same texts at the same places, drawn one by one, page by page.
double bareLoopSeconds(const Worksheet& worksheet, const QString& path) {
    QElapsedTimer clock;
    clock.start();
    const SheetPrinter layout(worksheet, QDateTime::currentDateTime());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    layout.setUp(printer);
    QPainter painter(&printer);
    const double dotsPerPoint = printer.logicalDpiY() / 72.0;
    painter.scale(dotsPerPoint, dotsPerPoint);
    QFont font;
    font.setPointSizeF(SheetPrinter::FontSize / dotsPerPoint);
    painter.setFont(font);
    const Sheet& sheet = worksheet.sheet();
    const PageBreaks& breaks = layout.breaks();
    for (int i = 0; i < breaks.pageCount(); ++i) {
        if (i > 0)
            printer.newPage();
        const PageBreaks::Page page = breaks.page(i);
        const auto rows = breaks.rowBands()[std::size_t(page.rowBand)];
        const auto cols = breaks.columnBands()[std::size_t(page.columnBand)];
        for (int r = rows.first; r <= rows.last; ++r) {
            double x = 50;
            for (int c = cols.first; c <= cols.last; ++c) {
                painter.drawText(QPointF(x, 60 + (r - rows.first) * SheetPrinter::RowHeight),
                                 sheet.text(r, c));
                x += SheetPrinter::columnPoints(sheet.columnWidth(c));
            }
        }
    }
    painter.end();
    return clock.nsecsElapsed() / 1e9;
}

void BM_PdfOfDefaultSheet(benchmark::State& state) {
    PrintedSheet& sheet = printed();
    if (!sheet.ready()) {
        state.SkipWithError("the sheet is not 16380 records x 20 fields");
        for (auto _ : state) {
        }
        return;
    }
    double printTotal = 0, bareTotal = 0;
    for (auto _ : state) {
        bareTotal += bareLoopSeconds(sheet.sheet(), sheet.pdf());
        QElapsedTimer clock;
        clock.start();
        sheet.application().printToPdf(sheet.pdf());
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        printTotal += seconds;
    }
    const double n = double(state.iterations());
    state.counters["pages"] = SheetPrinter(sheet.sheet(), {}).pageCount();
    state.counters["print_ms"] = printTotal / n * 1e3;
    state.counters["bare_drawText_ms"] = bareTotal / n * 1e3;
    state.counters["ratio"] = printTotal / bareTotal;
}
BENCHMARK(BM_PdfOfDefaultSheet)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// From the preview command to a preview window showing its first page.
void BM_PreviewFirstPage(benchmark::State& state) {
    PrintedSheet& sheet = printed();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        sheet.output().writeAndRun(QString(), PageOutput::Kind::Default, PageOutput::Preview);
        PrintPreview* preview = sheet.output().preview();
        while (preview && preview->pageCount() == 0)
            QApplication::processEvents();
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        if (!preview) {
            state.SkipWithError("no preview window");
            break;
        }
        preview->close();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PreviewFirstPage)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

} // namespace quill::bench
