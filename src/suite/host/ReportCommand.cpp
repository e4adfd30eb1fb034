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
#include <QFileInfo>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

namespace quill {

namespace {

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

// One line, whatever line ends the database's message holds.
int report(const Failure& f) {
    std::fprintf(stderr, "quill: %s\n", qPrintable(f.message.simplified()));
    return f.code;
}

// Progress on standard error: once a second, from the run's first second
// on, what the run is doing; nothing for a run that ends sooner. A clock
// thread of its own, so that a step that takes long (a query, a print) is
// reported while it runs.
class Progress {
public:
    Progress()
        : m_clock([this] { tick(); }) {}
    ~Progress() {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_one();
        m_clock.join();
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void step(const QString& what) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_step = what;
    }

private:
    void tick() {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (int seconds = 1;
             !m_wake.wait_for(lock, std::chrono::seconds(1), [this] { return m_done; }); ++seconds)
            std::fprintf(stderr, "quill: %s（已用 %d 秒）\n", qPrintable(m_step), seconds);
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    QString m_step = QStringLiteral("正在打开工作区");
    std::thread m_clock;
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
    renderer.setProgressDelay(0);
    renderer.setProgressReport([&progress](int done, int total) {
        progress.step(QStringLiteral("正在生成报表，%1/%2 行").arg(done).arg(total));
    });
    ResultSheetRenderer::Prepared prepared;
    progress.step(QStringLiteral("正在查询"));
    try {
        prepared = renderer.prepare(options.report);
        progress.step(QStringLiteral("正在生成报表"));
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

    progress.step(QStringLiteral("正在写入 %1").arg(QDir::toNativeSeparators(options.output)));
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
