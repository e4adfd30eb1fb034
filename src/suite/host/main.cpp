#include "AdminPasswordOption.h"
#include "HeadlessUi.h"
#include "HostOptions.h"
#include "ModuleRegistration.h"
#include "ReportCommand.h"
#include "ShownWindow.h"
#include "WindowShow.h"

#include "demo/DemoError.h"
#include "demo/DemoWorkspace.h"
#include "platform/com/ComError.h"
#include "platform/com/CreateObject.h"
#include "platform/db/DbError.h"
#include "suite/ModuleRegistry.h"
#include "suite/SuiteConfig.h"
#include "suite/SuiteLib.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>
#include <memory>
#include <vector>

using namespace quill;

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "quill: %s\n", qPrintable(message));
    return 1;
}

// The demo workspace used when none is given, made on first use.
QString defaultWorkspace() {
    const QString dir =
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/demo";
    if (!SuiteConfig::exists(dir))
        DemoWorkspace(dir).create(DemoOptions{});
    return dir;
}

// Runs the module on the workspace the options name; the exit code.
int run(const HostOptions& options);

} // namespace

int main(int argc, char** argv) {
    if (ReportCommand::isCommand(argc, argv))
        return ReportCommand::main(argc, argv);
    // Without a display the window is drawn off screen (for --snapshot).
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<char*> toolkitArgs;
    const HostOptions options = HostOptions::parse(argc, argv, toolkitArgs);
    int toolkitArgc = int(toolkitArgs.size()) - 1;
    QApplication app(toolkitArgc, toolkitArgs.data());
    // No display name: on X11 it would be appended to every window's title,
    // which must read exactly as the module sets it. A window without a title
    // shows the application name.
    QApplication::setApplicationName(QStringLiteral("quill"));
    const int result = run(options);
    // The connection goes before the database drivers do.
    SuiteLib::instance().reset();
    return result;
}

namespace {

int run(const HostOptions& options) {
    if (!options.error.isEmpty())
        return fail(options.error);
    if (options.help) {
        std::printf("%s", qPrintable(HostOptions::helpText()));
        return 0;
    }
    // What the toolkit did not take is nobody's option.
    const QStringList unknown = QApplication::arguments().mid(1);
    if (!unknown.isEmpty())
        return fail(QStringLiteral("未知的参数：") + unknown.join(QLatin1Char(' ')));
    const ShownWindow* shown =
        options.show.isEmpty() ? &ShownWindow::main() : ShownWindow::find(options.show);
    if (!shown)
        return fail(QStringLiteral("未知的窗口名 %1（可用的有 %2）")
                        .arg(options.show, ShownWindow::names().join(QStringLiteral("、"))));

    QString workspace = options.workspace;
    try {
        if (workspace.isEmpty())
            workspace = defaultWorkspace();
        if (!SuiteConfig::exists(workspace))
            return fail(
                QStringLiteral("工作区 %1 中没有 %2").arg(workspace, SuiteConfig::fileName()));
        SuiteLib& lib = SuiteLib::instance();
        SuiteConfig::load(workspace).applyTo(lib);
        if (options.hasTitle)
            lib.ModuleTitle = options.title;
        if (options.setAdminPassword)
            return setAdminPassword();
    } catch (const DemoError& e) {
        return fail(e.message());
    } catch (const DbError& e) {
        return fail(QStringLiteral("数据库无法打开：") + e.message());
    }

    const QString problem = ModuleRegistration::registerModule(ModuleRegistration::builtLibrary(),
                                                               ModuleRegistry::registryFile());
    if (!problem.isEmpty())
        return fail(problem);

    std::unique_ptr<HeadlessUi> headless;
    if (!options.snapshot.isEmpty())
        headless = std::make_unique<HeadlessUi>();
    std::unique_ptr<WindowShow> show;
    if (!options.snapshot.isEmpty() || !options.show.isEmpty())
        show = std::make_unique<WindowShow>(*shown, options.snapshot);

    int result = 0;
    try {
        std::shared_ptr<ComObject> module = CreateObject(QLatin1String(ModuleRegistration::ProgId));
        result = module->zh();
    } catch (const ComError& e) {
        return fail(e.message());
    }
    if (show && !show->error().isEmpty())
        return fail(show->error());
    if (!options.snapshot.isEmpty()) {
        if (!show->saved())
            return fail(QStringLiteral("窗口已关闭，未保存图片"));
        std::printf("quill: 窗口图片已保存到 %s\n", qPrintable(options.snapshot));
    }
    return result;
}

} // namespace
