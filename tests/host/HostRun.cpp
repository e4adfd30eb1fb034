#include "HostRun.h"

#include "demo/DemoWorkspace.h"

#include <QProcessEnvironment>

#include <memory>

namespace quill {

QString HostRun::workspace() {
    static std::unique_ptr<QTemporaryDir> dir;
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        DemoWorkspace(dir->filePath(QStringLiteral("ws"))).create(DemoOptions{});
    }
    return dir->filePath(QStringLiteral("ws"));
}

HostRun::Result HostRun::run(const QStringList& arguments) {
    QProcess host;
    host.start(QStringLiteral(QUILL_HOST),
               QStringList{QStringLiteral("--workspace"), workspace()} + arguments);
    Result result;
    if (!host.waitForFinished(120000)) {
        host.kill();
        host.waitForFinished();
        result.err = QStringLiteral("the host did not end in time");
        return result;
    }
    result.exitCode = host.exitStatus() == QProcess::NormalExit ? host.exitCode() : -1;
    result.out = QString::fromUtf8(host.readAllStandardOutput());
    result.err = QString::fromUtf8(host.readAllStandardError());
    return result;
}

void HostRun::start(QProcess& host, const QStringList& arguments) {
    // The test program itself draws off screen; the host uses the display.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    host.setProcessEnvironment(env);
    host.start(QStringLiteral(QUILL_HOST),
               QStringList{QStringLiteral("--workspace"), workspace()} + arguments);
}

} // namespace quill
