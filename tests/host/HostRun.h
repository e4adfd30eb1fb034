#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace quill {

// The host program run for real on a demo workspace made once per test
// program.
class HostRun {
public:
    struct Result {
        int exitCode = -1;
        QString out;
        QString err;
    };

    // The demo workspace, made on first use.
    static QString workspace();
    // Runs the host with --workspace and `arguments` to its end.
    static Result run(const QStringList& arguments);
    // Starts the host with --workspace and `arguments` on the X display of
    // the environment; the caller ends it.
    static void start(QProcess& host, const QStringList& arguments);
};

} // namespace quill
