#include "demo/DemoError.h"
#include "demo/DemoWorkspace.h"
#include "platform/db/DbError.h"
#include "suite/SettingsError.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>

using namespace quill;

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "quill-demo: %s\n", qPrintable(message));
    return 1;
}

// A whole number option; its range is checked with the other options.
bool readCount(const QCommandLineParser& args, const QString& name, int& out) {
    if (!args.isSet(name))
        return true;
    bool ok = false;
    out = args.value(name).toInt(&ok);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    // Pictures are drawn, never shown: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quill-demo"));

    QCommandLineParser args;
    args.setApplicationDescription(QStringLiteral("创建 QUILL 的演示工作区。"));
    args.addHelpOption();
    args.addOption(
        {QStringLiteral("workspace"), QStringLiteral("工作区文件夹。"), QStringLiteral("DIR")});
    args.addOption({QStringLiteral("pg"),
                    QStringLiteral("数据装入此 PostgreSQL 数据库（host=… dbname=… user=… "
                                   "[schema=…]），不建 SQLite 文件。"),
                    QStringLiteral("CONNINFO")});
    args.addOption({QStringLiteral("employees"), QStringLiteral("员工人数（默认 60）。"),
                    QStringLiteral("N")});
    args.addOption(
        {QStringLiteral("periods"), QStringLiteral("工资期间数（默认 3）。"), QStringLiteral("M")});
    args.addOption(
        {QStringLiteral("seed"), QStringLiteral("随机种子（默认 1）。"), QStringLiteral("S")});
    args.addOption(
        {QStringLiteral("show"), QStringLiteral("只列出已有工作区的内容（数据表行数与文件）。")});
    args.process(app);

    if (!args.isSet(QStringLiteral("workspace")))
        return fail(QStringLiteral("请用 --workspace DIR 指定工作区文件夹。"));
    DemoOptions options;
    if (!readCount(args, QStringLiteral("employees"), options.employees) ||
        !readCount(args, QStringLiteral("periods"), options.periods))
        return fail(
            QStringLiteral("--employees 须为不小于 0 的整数，--periods 须为不小于 1 的整数。"));
    if (args.isSet(QStringLiteral("seed"))) {
        bool ok = false;
        options.seed = args.value(QStringLiteral("seed")).toULongLong(&ok);
        if (!ok)
            return fail(QStringLiteral("--seed 须为不小于 0 的整数。"));
    }
    std::optional<ConnectionConfig> pg;
    if (args.isSet(QStringLiteral("pg")))
        pg = ConnectionConfig::fromPgConnInfo(args.value(QStringLiteral("pg")));

    DemoWorkspace workspace(args.value(QStringLiteral("workspace")));
    try {
        if (!args.isSet(QStringLiteral("show")))
            workspace.create(options, pg);
        std::fputs(qPrintable(workspace.summary()), stdout);
    } catch (const DemoError& e) {
        return fail(e.message());
    } catch (const SettingsError& e) {
        return fail(QString::fromUtf8(e.what()));
    } catch (const DbError& e) {
        return fail(QStringLiteral("数据库错误：") + e.message());
    }
    return 0;
}
