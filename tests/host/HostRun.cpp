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

HostResult HostRun::run(const QStringList& arguments) {
    return runHost(QStringList{QStringLiteral("--workspace"), workspace()} + arguments);
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
