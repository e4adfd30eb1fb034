#include "ReportCommand.h"

#include "ReportOptions.h"
#include "ReportOutput.h"
#include "ReportRange.h"
#include "ReportUi.h"

#include "foundation/Mdlx.h"
#include "foundation/QueryComposer.h"
#include "foundation/ReportStore.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "platform/grid/GridError.h"
#include "suite/SettingsError.h"
#include "suite/SuiteConfig.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ReportRun.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/frmRSGL.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace quill {

namespace {

// Progress shows once a run has taken this long.
constexpr qint64 ProgressAfterMs = 1000;

// A run that cannot go on: its exit code and the line for the user.
struct Failure {
    int code;
    QString message;
};

// The toolkit's notes about its surroundings (no runtime folder, fonts) are
// not the run's business: standard error carries the run's own line only.
void toolkitMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "quill: %s\n", qPrintable(message));
}

int report(const Failure& f) {
    std::fprintf(stderr, "quill: %s\n", qPrintable(f.message));
    return f.code;
}

// Progress lines on standard error, once the run is slow enough to need
// them, at most one a second while the sheet is filled.
class Progress {
public:
    Progress() { m_clock.start(); }

    void note(const QString& step) const {
        if (m_clock.elapsed() >= ProgressAfterMs)
            std::fprintf(stderr, "quill: %s\n", qPrintable(step));
    }
    // The renderer's delay before it reports, counted from the run's start.
    int renderDelay() const {
        return int(std::max<qint64>(0, ProgressAfterMs - m_clock.elapsed()));
    }
    void rows(int done, int total) {
        if (m_lastRowsMs >= 0 && m_clock.elapsed() - m_lastRowsMs < 1000)
            return;
        m_lastRowsMs = m_clock.elapsed();
        std::fprintf(stderr, "quill: 正在生成报表 %d/%d\n", done, total);
    }

private:
    QElapsedTimer m_clock;
    qint64 m_lastRowsMs = -1;
};

void checkOutputFolder(const QString& output) {
    const QFileInfo file(output);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir() || !folder.isDir() || !folder.isWritable())
        throw Failure{ReportCommand::OutputFailure,
                      QStringLiteral("输出文件 %1 无法写入：%2")
                          .arg(QDir::toNativeSeparators(output),
                               file.isDir() ? QStringLiteral("这是一个文件夹")
                                            : QStringLiteral("所在文件夹不存在或不可写"))};
}

// The workspace's suite values, and its table by the title.
void openWorkspace(const ReportOptions& options) {
    if (!SuiteConfig::exists(options.workspace))
        throw Failure{
            ReportCommand::BadArguments,
            QStringLiteral("工作区 %1 中没有 %2")
                .arg(QDir::toNativeSeparators(options.workspace), SuiteConfig::fileName())};
    SuiteLib& lib = SuiteLib::instance();
    SuiteConfig::load(options.workspace).applyTo(lib);
    if (!options.title.isEmpty())
        lib.ModuleTitle = options.title;
    lib.TableName = lib.ResolveTable(lib.ModuleTitle, QString());
    lib.SelectTable(lib.ModuleTitle);
    if (lib.TableName.isEmpty() || lib.ColumnCount() <= 0)
        throw Failure{ReportCommand::UnknownName,
                      QStringLiteral("没有标题为 %1 的数据表").arg(lib.ModuleTitle)};
}

QStringList reportNames(ReportStore& store) {
    const std::optional<qint64> root = store.rootId();
    return root ? store.names(*root) : QStringList();
}

void applyRange(const ReportOptions& options) {
    Mdlx::instance().startRange();
    const QString refusal = !options.period.isEmpty() ? ReportRange::applyPeriod(options.period)
                            : !options.date.isEmpty() ? ReportRange::applyDate(options.date)
                                                      : QString();
    if (!refusal.isEmpty())
        throw Failure{ReportCommand::BadRange, refusal};
}

// The query of the run, as a click on the report list composes it; without a
// report the table's own records over the range.
void composeQuery(const ReportOptions& options, ReportStore& store, ReportRun& run,
                  const ReportUi& ui) {
    SuiteLib& lib = SuiteLib::instance();
    Mdlx& m = Mdlx::instance();
    m.CurrentReportIndex = 0;
    m.ActiveCount = 0;
    m.SumCount = 0;
    if (options.report.isEmpty()) {
        m.RangeCaptionFor(lib.ModuleTitle);
        m.BuildSelection();
        QueryComposer::composeTable();
        return;
    }
    const qsizetype index = reportNames(store).indexOf(options.report);
    if (index < 0)
        throw Failure{ReportCommand::UnknownName,
                      QStringLiteral("标题 %1 下没有报表 %2").arg(lib.ModuleTitle, options.report)};
    // The list's first entry is its heading "报表名称:".
    if (!run.Choose(int(index) + 2, options.report))
        throw Failure{ReportCommand::DatabaseFailure, ui.message()};
}

int listReports(ReportStore& store) {
    for (const QString& name : reportNames(store))
        std::printf("%s\n", qPrintable(name));
    return ReportCommand::Done;
}

int runReport(const ReportOptions& options, ReportStore& store, const ReportUi& ui,
              Progress& progress) {
    applyRange(options);
    ReportRun run(store);
    composeQuery(options, store, run, ui);

    F1Book book;
    ResultSheetRenderer renderer(book);
    renderer.setProgressDelay(progress.renderDelay());
    renderer.setProgressReport([&progress](int done, int total) { progress.rows(done, total); });
    ResultSheetRenderer::Prepared prepared;
    try {
        prepared = renderer.prepare(options.report);
        progress.note(QStringLiteral("查询完毕，共 %1 条记录").arg(prepared.recordCount));
        renderer.show(prepared, frmRSGL::blankForZeroSetting());
    } catch (const DbError& e) {
        throw Failure{ReportCommand::DatabaseFailure,
                      QStringLiteral("查询无法执行：%1（%2）")
                          .arg(e.message(), SuiteLib::instance().QuerySql)};
    } catch (const GridError& e) {
        throw Failure{
            ReportCommand::DatabaseFailure,
            QStringLiteral("报表的表格文件 %1 不能使用：%2")
                .arg(QDir::toNativeSeparators(ResultSheetRenderer::sheetFile(options.report)),
                     e.message())};
    }
    if (!ui.message().isEmpty())
        throw Failure{ReportCommand::DatabaseFailure, ui.message()};

    progress.note(QStringLiteral("正在写入 %1").arg(QDir::toNativeSeparators(options.output)));
    try {
        ReportOutput::write(book, options.report, PageOutput::kindOf(renderer), options.output);
    } catch (const GridError& e) {
        throw Failure{ReportCommand::OutputFailure, e.message()};
    }
    if (!ui.message().isEmpty())
        throw Failure{ReportCommand::OutputFailure, ui.message()};
    return ReportCommand::Done;
}

int run(const ReportOptions& options) {
    Progress progress;
    ReportUi ui;
    if (!options.list)
        checkOutputFolder(options.output);
    try {
        openWorkspace(options);
        Recordset rows;
        ReportStore store(rows);
        return options.list ? listReports(store) : runReport(options, store, ui, progress);
    } catch (const DbError& e) {
        throw Failure{ReportCommand::DatabaseFailure,
                      QStringLiteral("数据库操作失败：") + e.message()};
    } catch (const SettingsError& e) {
        throw Failure{ReportCommand::DatabaseFailure, e.message()};
    }
}

} // namespace

bool ReportCommand::isCommand(int argc, char** argv) {
    return argc >= 2 && std::strcmp(argv[1], "report") == 0;
}

int ReportCommand::main(int argc, char** argv) {
    const ReportOptions options = ReportOptions::parse(argc, argv);
    if (options.help) {
        std::printf("%s", qPrintable(ReportOptions::helpText()));
        return Done;
    }
    if (!options.error.isEmpty())
        return report(
            Failure{BadArguments, options.error + QStringLiteral("（见 quill report --help）")});
    // Never a window: the platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(toolkitMessage);
    // None of the command line is the toolkit's.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    QApplication app(toolkitArgc, toolkitArgv);
    QApplication::setApplicationName(QStringLiteral("quill"));
    int code = Done;
    try {
        code = run(options);
    } catch (const Failure& f) {
        code = report(f);
    }
    // The connection goes before the database drivers do.
    SuiteLib::instance().reset();
    return code;
}

} // namespace quill
