#include "HostProcess.h"

#include <QProcess>

namespace quill {

HostResult runHost(const QStringList& arguments, const QByteArray& input) {
    QProcess host;
    host.start(QStringLiteral(QUILL_HOST), arguments);
    host.write(input);
    host.closeWriteChannel();
    HostResult result;
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

} // namespace quill
