// Rendering a result sheet of 16380 records x 20 fields (three of them
// organisation codes) from the demo data, against the sqlite3 shell writing
// the same query's rows as CSV, in the same run. With QUILL_TEST_PG the same
// render runs on PostgreSQL too.
#include "bench/manage/PayWorkspace.h"
#include "bench/support/PeakMemory.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ResultSheetRenderer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <optional>

namespace quill::bench {

namespace {

// The demo workspace with SuiteLib's query on its pay table.
class Workspace : public PayWorkspace {
public:
    explicit Workspace(std::optional<ConnectionConfig> pg)
        : PayWorkspace(fullSheetData(), pg, QStringLiteral("render_bench_")) {
        queryFullSheet();
    }
    QString csvFile() const { return path(QStringLiteral("out.csv")); }
};

// Seconds the sqlite3 shell takes to write the query's rows as CSV to a file.
double sqliteCsvSeconds(const Workspace& ws) {
    QProcess shell;
    shell.setStandardOutputFile(ws.csvFile());
    QElapsedTimer clock;
    clock.start();
    shell.start(QStringLiteral("sqlite3"),
                {QStringLiteral("-csv"), ws.database(), SuiteLib::instance().QuerySql});
    shell.waitForFinished(-1);
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (shell.exitCode() != 0 || QFile(ws.csvFile()).size() == 0)
        return -1;
    return seconds;
}

void renderOn(benchmark::State& state, std::optional<ConnectionConfig> pg, bool withShell) {
    Workspace ws(pg);
    F1Book book;
    ResultSheetRenderer renderer(book);
    double renderTotal = 0;
    double shellTotal = 0;
    long peakKb = 0;
    for (auto _ : state) {
        if (withShell) {
            const double shell = sqliteCsvSeconds(ws);
            if (shell < 0) {
                state.SkipWithError("the sqlite3 shell failed");
                break;
            }
            shellTotal += shell;
        }
        const long before = resetPeak();
        QElapsedTimer clock;
        clock.start();
        ResultSheetRenderer::Prepared run = renderer.prepare(QString());
        renderer.show(run, false);
        const double seconds = clock.nsecsElapsed() / 1e9;
        peakKb = std::max(peakKb, statusKb("VmHWM") - before);
        state.SetIterationTime(seconds);
        renderTotal += seconds;
        if (book.LastRow() != 16381 || book.LastCol() != 20) {
            state.SkipWithError("the sheet is not 16380 records x 20 fields");
            break;
        }
    }
    const double n = double(state.iterations());
    state.counters["render_ms"] = renderTotal / n * 1e3;
    if (withShell) {
        state.counters["sqlite3_csv_ms"] = shellTotal / n * 1e3;
        state.counters["ratio"] = renderTotal / shellTotal;
    }
    state.counters["peak_MB"] = double(peakKb) / 1024;
}

// The query alone: opening the recordset and reading every value once, the
// part of a render that is the database's.
void BM_QueryOnlySqlite(benchmark::State& state) {
    Workspace ws(std::nullopt);
    for (auto _ : state) {
        Recordset r;
        QElapsedTimer clock;
        clock.start();
        r.Open(SuiteLib::instance().QuerySql, *SuiteLib::instance().Connection);
        for (; !r.Eof(); r.MoveNext()) {
            for (int i = 0; i < r.FieldCount(); ++i)
                benchmark::DoNotOptimize(r.Value(i));
        }
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        r.Close();
    }
}
BENCHMARK(BM_QueryOnlySqlite)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_RenderSqlite(benchmark::State& state) {
    renderOn(state, std::nullopt, true);
}

void BM_RenderPostgres(benchmark::State& state) {
    const QString connInfo = qEnvironmentVariable("QUILL_TEST_PG");
    if (connInfo.isEmpty()) {
        state.SkipWithError("QUILL_TEST_PG is not set");
        for (auto _ : state) {
        }
        return;
    }
    renderOn(state, ConnectionConfig::fromPgConnInfo(connInfo), false);
}

BENCHMARK(BM_RenderSqlite)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_RenderPostgres)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

} // namespace quill::bench
