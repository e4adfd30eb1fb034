// Exporting a rendered result sheet of 16380 records x 20 fields from the
// demo data (issue 19):
//  - as a workbook with page setup (WorkbookExport), against libxlsxwriter
//    writing the same cells directly in constant-memory mode (the cells'
//    texts and numbers made ready beforehand), time and peak memory;
//  - as fixed-width text (TextExport), against the sqlite3 shell writing the
//    same query's rows as CSV;
// each pair in the same run.
#include "bench/manage/PayWorkspace.h"
#include "bench/support/PeakMemory.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "platform/grid/PlainNumber.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/TextExport.h"
#include "windows/manage/WorkbookExport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <xlsxwriter.h>

#include <string>
#include <variant>
#include <vector>

namespace quill::bench {

namespace {

// The demo workspace of 1400 employees over 12 periods, the sheet rendered.
class Rendered : public PayWorkspace {
public:
    Rendered()
        : PayWorkspace(fullSheetData(), std::nullopt, QString()) {
        SuiteLib& lib = SuiteLib::instance();
        lib.OperatorName = QStringLiteral("财务处");
        lib.UserName = QStringLiteral("张三");
        queryFullSheet();
        ResultSheetRenderer renderer(book);
        ResultSheetRenderer::Prepared run = renderer.prepare(QString());
        renderer.show(run, false);
    }

    bool ok() const { return book.LastRow() == 16381 && book.LastCol() == 20; }
    QString path(const char* name) const { return PayWorkspace::path(QString::fromLatin1(name)); }

    F1Book book;
};

// libxlsxwriter alone: the same cells (texts and plain numbers as the grid's
// writer decides them), made ready before the clock starts.
struct DirectCells {
    explicit DirectCells(const Sheet& sheet)
        : rows(sheet.rowCount())
        , cols(sheet.columnCount()) {
        cells.reserve(std::size_t(rows) * std::size_t(cols));
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                const QString text = sheet.text(r, c);
                if (text.isEmpty())
                    cells.emplace_back(std::monostate{});
                else if (const auto n = PlainNumber::parse(text))
                    cells.emplace_back(n->value);
                else
                    cells.emplace_back(text.toStdString());
            }
    }
    void write(const QString& path) const {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        lxw_workbook* wb = workbook_new_opt(QFile::encodeName(path).constData(), &options);
        lxw_worksheet* ws = workbook_add_worksheet(wb, "Sheet1");
        std::size_t i = 0;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c, ++i) {
                const auto& cell = cells[i];
                if (const auto* n = std::get_if<double>(&cell))
                    worksheet_write_number(ws, lxw_row_t(r), lxw_col_t(c), *n, nullptr);
                else if (const auto* s = std::get_if<std::string>(&cell))
                    worksheet_write_string(ws, lxw_row_t(r), lxw_col_t(c), s->c_str(), nullptr);
            }
        workbook_close(wb);
    }
    int rows;
    int cols;
    std::vector<std::variant<std::monostate, double, std::string>> cells;
};

void BM_WorkbookExport(benchmark::State& state) {
    Rendered ws;
    if (!ws.ok()) {
        state.SkipWithError("the sheet is not 16380 records x 20 fields");
        for (auto _ : state) {
        }
        return;
    }
    const DirectCells direct(ws.book.sheet());
    double exportTotal = 0;
    double directTotal = 0;
    long exportPeak = 0;
    long directPeak = 0;
    long exportHwm = 0;
    long directHwm = 0;
    for (auto _ : state) {
        long before = resetPeak();
        QElapsedTimer clock;
        clock.start();
        direct.write(ws.path("direct.xlsx"));
        directTotal += clock.nsecsElapsed() / 1e9;
        directHwm = std::max(directHwm, statusKb("VmHWM"));
        directPeak = std::max(directPeak, statusKb("VmHWM") - before);

        before = resetPeak();
        clock.restart();
        WorkbookExport::write(ws.book, QString(), PageOutput::Kind::Default, ws.path("export.xls"),
                              QDate(2026, 12, 6));
        const double seconds = clock.nsecsElapsed() / 1e9;
        exportHwm = std::max(exportHwm, statusKb("VmHWM"));
        exportPeak = std::max(exportPeak, statusKb("VmHWM") - before);
        state.SetIterationTime(seconds);
        exportTotal += seconds;
    }
    const double n = double(state.iterations());
    state.counters["export_ms"] = exportTotal / n * 1e3;
    state.counters["libxlsxwriter_ms"] = directTotal / n * 1e3;
    state.counters["ratio"] = exportTotal / directTotal;
    state.counters["export_peak_MB"] = double(exportPeak) / 1024;
    state.counters["libxlsxwriter_peak_MB"] = double(directPeak) / 1024;
    // Peak resident memory of the process while each wrote, the rendered
    // sheet (and the direct writer's prepared cells) included.
    state.counters["export_hwm_MB"] = double(exportHwm) / 1024;
    state.counters["libxlsxwriter_hwm_MB"] = double(directHwm) / 1024;
    state.counters["hwm_ratio"] = double(exportHwm) / double(std::max(1L, directHwm));
}

void BM_TextExport(benchmark::State& state) {
    Rendered ws;
    if (!ws.ok()) {
        state.SkipWithError("the sheet is not 16380 records x 20 fields");
        for (auto _ : state) {
        }
        return;
    }
    double exportTotal = 0;
    double shellTotal = 0;
    for (auto _ : state) {
        QProcess shell;
        shell.setStandardOutputFile(ws.path("out.csv"));
        QElapsedTimer clock;
        clock.start();
        shell.start(QStringLiteral("sqlite3"),
                    {QStringLiteral("-csv"), ws.database(), SuiteLib::instance().QuerySql});
        shell.waitForFinished(-1);
        shellTotal += clock.nsecsElapsed() / 1e9;
        if (shell.exitCode() != 0) {
            state.SkipWithError("the sqlite3 shell failed");
            break;
        }
        clock.restart();
        TextExport::write(ws.book, ws.path("out.txt"), TextExport::Mode::Replace);
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        exportTotal += seconds;
    }
    const double n = double(state.iterations());
    state.counters["text_ms"] = exportTotal / n * 1e3;
    state.counters["sqlite3_csv_ms"] = shellTotal / n * 1e3;
    state.counters["ratio"] = exportTotal / shellTotal;
}

BENCHMARK(BM_WorkbookExport)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TextExport)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

} // namespace quill::bench
