// The detail report rendered over one period and over all 48 periods of the
// demo data at 20000 employees (20000 and 960000 matched records; the sheet
// holds 16380 either way), alternately in the same run, on SQLite and, with
// QUILL_TEST_PG, on PostgreSQL. Reported: the median time and peak memory
// of each and their ratios, all over one. The report as saved sorts by
// department and employee number, which the demo indexes; the same report
// sorted by period and employee number shows the cost where the period index
// hands the records over in order.
#include "bench/manage/PayWorkspace.h"
#include "bench/support/PeakMemory.h"
#include "demo/DemoOptions.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ResultSheetRenderer.h"

#include <QElapsedTimer>
#include <QFile>
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace quill::bench {

namespace {

const QString Select =
    QStringLiteral("select memberid,name,DEPART,GROUP0,TEAM,jbgz,gwjt,jxjj,jbf,sumAMOUNT,kk,sfgz ");
const QString OnePeriod = QStringLiteral(" where zhtime='2026年01月' ");
const QString AllPeriods = QStringLiteral(" where zhtime>='2026年01月' and zhtime<='2029年12月' ");
constexpr int Rounds = 5;

struct Measure {
    double seconds;
    double peakMb;
};

// One render of the detail report over the range where: its time and the
// memory it took at its peak above what the process held before.
Measure render(ResultSheetRenderer& renderer, const QString& where) {
    SuiteLib& lib = SuiteLib::instance();
    lib.SqlWhere = where;
    lib.joinQuery();
    malloc_trim(0);
    const long before = resetPeak();
    QElapsedTimer clock;
    clock.start();
    {
        ResultSheetRenderer::Prepared run = renderer.prepare(QString());
        renderer.show(run, false);
    }
    return {clock.nsecsElapsed() / 1e9, double(statusKb("VmHWM") - before) / 1024};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void detailReport(benchmark::State& state, bool postgres, const char* order) {
    const QString pg = qEnvironmentVariable("QUILL_TEST_PG");
    if (postgres && pg.isEmpty()) {
        state.SkipWithError("QUILL_TEST_PG is not set");
        for (auto _ : state) {
        }
        return;
    }
    DemoOptions options;
    options.employees = 20000;
    options.periods = 48;
    options.photos = 0;
    const PayWorkspace workspace(
        options, postgres ? std::optional(ConnectionConfig::fromPgConnInfo(pg)) : std::nullopt,
        QStringLiteral("scale_bench_"));
    SuiteLib& lib = SuiteLib::instance();
    lib.QueryCaption = QStringLiteral("工资明细表");
    lib.SqlSelect = Select;
    lib.SqlFrom = QStringLiteral(" from GZB ");
    lib.SqlGroup.clear();
    lib.SqlOrder = QStringLiteral(" order by ") + QLatin1String(order);

    F1Book book;
    ResultSheetRenderer renderer(book);
    std::vector<double> oneTime, allTime, oneMb, allMb;
    for (auto _ : state) {
        for (int round = 0; round < Rounds; ++round) {
            const Measure one = render(renderer, OnePeriod);
            const Measure all = render(renderer, AllPeriods);
            if (book.LastRow() != ResultSheetRenderer::MaxRows + 1) {
                state.SkipWithError("the sheet does not hold 16380 records");
                break;
            }
            oneTime.push_back(one.seconds);
            allTime.push_back(all.seconds);
            oneMb.push_back(one.peakMb);
            allMb.push_back(all.peakMb);
        }
        state.SetIterationTime(median(allTime));
    }
    state.counters["one_ms"] = median(oneTime) * 1e3;
    state.counters["all_ms"] = median(allTime) * 1e3;
    state.counters["time_ratio"] = median(allTime) / median(oneTime);
    state.counters["one_MB"] = median(oneMb);
    state.counters["all_MB"] = median(allMb);
    state.counters["memory_ratio"] = median(allMb) / std::max(median(oneMb), 1.0);
}

BENCHMARK_CAPTURE(detailReport, sqlite, false, "DEPART,memberid")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(detailReport, sqlite_by_period, false, "zhtime,memberid")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(detailReport, pg, true, "DEPART,memberid")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(detailReport, pg_by_period, true, "zhtime,memberid")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

} // namespace quill::bench
