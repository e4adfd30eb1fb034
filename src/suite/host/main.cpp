#include "HeadlessUi.h"
#include "ModuleRegistration.h"
#include "WindowSnapshot.h"

#include "demo/DemoError.h"
#include "demo/DemoWorkspace.h"
#include "platform/com/ComError.h"
#include "platform/com/CreateObject.h"
#include "platform/db/DbError.h"
#include "suite/ModuleRegistry.h"
#include "suite/SuiteConfig.h"
#include "suite/SuiteLib.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>
#include <memory>

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
int run(QApplication& app);

} // namespace

int main(int argc, char** argv) {
    // Without a display the window is drawn off screen (for --snapshot).
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quill"));
    QApplication::setApplicationDisplayName(QStringLiteral("QUILL"));
    const int result = run(app);
    // The connection goes before the database drivers do.
    SuiteLib::instance().reset();
    return result;
}

namespace {

int run(QApplication& app) {
    QCommandLineParser args;
    args.setApplicationDescription(QStringLiteral("在一个工作区上启动 QUILL 数据管理模块。"));
    args.addHelpOption();
    args.addOption({QStringLiteral("workspace"),
                    QStringLiteral("工作区文件夹（含 suite.conf）；不给时使用演示工作区。"),
                    QStringLiteral("DIR")});
    args.addOption({QStringLiteral("title"), QStringLiteral("模块标题（默认取工作区的设置）。"),
                    QStringLiteral("TITLE")});
    args.addOption({QStringLiteral("snapshot"),
                    QStringLiteral("窗口首次激活后保存其图片到 FILE.png，然后关闭。"),
                    QStringLiteral("FILE.png")});
    args.process(app);

    QString workspace = args.value(QStringLiteral("workspace"));
    try {
        if (workspace.isEmpty())
            workspace = defaultWorkspace();
        if (!SuiteConfig::exists(workspace))
            return fail(
                QStringLiteral("工作区 %1 中没有 %2").arg(workspace, SuiteConfig::fileName()));
        SuiteLib& lib = SuiteLib::instance();
        SuiteConfig::load(workspace).applyTo(lib);
        if (args.isSet(QStringLiteral("title")))
            lib.ModuleTitle = args.value(QStringLiteral("title"));
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
    std::unique_ptr<WindowSnapshot> snapshot;
    if (args.isSet(QStringLiteral("snapshot"))) {
        headless = std::make_unique<HeadlessUi>();
        snapshot = std::make_unique<WindowSnapshot>(QStringLiteral("frmRSGL"),
                                                    args.value(QStringLiteral("snapshot")));
    }

    int result = 0;
    try {
        std::shared_ptr<ComObject> module = CreateObject(QLatin1String(ModuleRegistration::ProgId));
        result = module->zh();
    } catch (const ComError& e) {
        return fail(e.message());
    }
    if (snapshot) {
        if (!snapshot->saved())
            return fail(snapshot->error().isEmpty() ? QStringLiteral("窗口已关闭，未保存图片")
                                                    : snapshot->error());
        std::printf("quill: 窗口图片已保存到 %s\n", qPrintable(args.value("snapshot")));
    }
    return result;
}

} // namespace
