// "quill report" writing the CSV of a saved report of 16380 records x 20
// fields over a twelve-month period range, against the sqlite3 shell writing
// the same query's rows as CSV: whole process against whole process, the
// host's start-up included, in the same run. Goal: at most 2.5 times.
#include "demo/DemoOptions.h"
#include "demo/DemoWorkspace.h"
#include "foundation/Mdlx.h"
#include "foundation/ReportStore.h"
#include "platform/db/Recordset.h"
#include "suite/SuiteConfig.h"
#include "suite/SuiteLib.h"
#include "windows/dialogs/PeriodRange.h"
#include "windows/manage/ReportRun.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace quill::bench {

namespace {

const QString Report = QStringLiteral("二十项明细");
const QString First = QStringLiteral("2026年01月");
const QString Last = QStringLiteral("2026年12月");
constexpr int Records = 16380;

// 1365 employees over 12 periods: 16380 pay rows.
DemoOptions options() {
    DemoOptions o;
    o.employees = Records / 12;
    o.periods = 12;
    o.photos = 0;
    return o;
}

// The demo workspace with the report saved for the pay table; the query a
// run of it over the range composes.
class Workspace {
public:
    Workspace() {
        DemoWorkspace(folder()).create(options());
        SuiteLib& lib = SuiteLib::instance();
        lib.reset();
        Mdlx::instance().reset();
        SuiteConfig::load(folder()).applyTo(lib);
        lib.TableName = lib.ResolveTable(lib.ModuleTitle, QString());
        lib.SelectTable(lib.ModuleTitle);
        Recordset rows;
        ReportStore store(rows);
        ReportDraft draft;
        draft.name = Report;
        draft.display = QStringLiteral("zhtime,memberid,name,DEPART,GROUP0,TEAM,jbgz,gwjt,jxjj,"
                                       "jbf,sumAMOUNT,kk,sfgz,cqts,ffrq,year,month,name,sfgz,ffrq")
                            .split(u',');
        draft.sort = QStringList{QStringLiteral("zhtime"), QStringLiteral("memberid")};
        draft.sum = QStringList{QStringLiteral("sumAMOUNT"), QStringLiteral("sfgz")};
        m_error = store.add(draft);
        PeriodRange::store(false, First, Last);
        ReportRun run(store);
        if (m_error.isEmpty() &&
            !run.Choose(int(store.names(*store.rootId()).indexOf(Report)) + 2, Report))
            m_error = QStringLiteral("the report cannot be chosen");
        m_query = lib.QuerySql;
        lib.reset();
    }

    QString folder() const { return m_dir.filePath(QStringLiteral("ws")); }
    QString database() const { return folder() + QStringLiteral("/quill.db"); }
    QString csv(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QString query() const { return m_query; }
    QString error() const { return m_error; }

private:
    QTemporaryDir m_dir;
    QString m_query;
    QString m_error;
};

// Seconds a program takes from start to end, its standard output going into
// `output`; negative when it fails.
double seconds(const QString& program, const QStringList& arguments, const QString& output) {
    QProcess process;
    if (!output.isEmpty())
        process.setStandardOutputFile(output);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    const double elapsed = clock.nsecsElapsed() / 1e9;
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? elapsed : -1;
}

qsizetype lines(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : -1;
}

void BM_ReportCsvAgainstSqliteShell(benchmark::State& state) {
    Workspace ws;
    if (!ws.error().isEmpty()) {
        state.SkipWithError(ws.error().toStdString().c_str());
        for (auto _ : state) {
        }
        return;
    }
    double shellTotal = 0;
    double quillTotal = 0;
    for (auto _ : state) {
        const double shell =
            seconds(QStringLiteral("sqlite3"),
                    {QStringLiteral("-csv"), QStringLiteral("-header"), ws.database(), ws.query()},
                    ws.csv("shell.csv"));
        const double quill =
            seconds(QStringLiteral(QUILL_HOST),
                    {QStringLiteral("report"), QStringLiteral("--workspace"), ws.folder(),
                     QStringLiteral("--report"), Report, QStringLiteral("--period"),
                     First + u':' + Last, QStringLiteral("--output"), ws.csv("quill.csv")},
                    QString());
        // headings, the records and the totals row; the shell has no totals
        if (shell < 0 || quill < 0 || lines(ws.csv("quill.csv")) != Records + 2 ||
            lines(ws.csv("shell.csv")) != Records + 1) {
            state.SkipWithError("a run failed or wrote other rows");
            break;
        }
        state.SetIterationTime(quill);
        shellTotal += shell;
        quillTotal += quill;
    }
    const double n = double(state.iterations());
    state.counters["quill_report_ms"] = quillTotal / n * 1e3;
    state.counters["sqlite3_csv_ms"] = shellTotal / n * 1e3;
    state.counters["ratio"] = quillTotal / shellTotal;
}
BENCHMARK(BM_ReportCsvAgainstSqliteShell)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

} // namespace

} // namespace quill::bench
