#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quill {

// What a run of the host program left: its exit code (-1 when it crashed or
// did not end in time) and what it wrote.
struct HostResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the host program with `arguments` to its end, `input` on its
// standard input.
HostResult runHost(const QStringList& arguments, const QByteArray& input = {});

} // namespace quill
