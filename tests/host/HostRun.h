#pragma once

#include "HostProcess.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace quill {

// The host program run for real on a demo workspace made once per test
// program.
class HostRun {
public:
    // The demo workspace, made on first use.
    static QString workspace();
    // Runs the host with --workspace and `arguments` to its end.
    static HostResult run(const QStringList& arguments);
    // Starts the host with --workspace and `arguments` on the X display of
    // the environment; the caller ends it.
    static void start(QProcess& host, const QStringList& arguments);
};

} // namespace quill
