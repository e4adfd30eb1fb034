#include "FuzzTarget.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <unistd.h>

namespace quill {

namespace {

// The files of this process, removed when it ends.
std::set<std::string>& madeFiles() {
    static std::set<std::string> files;
    return files;
}

void removeMadeFiles() {
    for (const std::string& file : madeFiles())
        std::remove(file.c_str());
}

} // namespace

void fuzzFailure(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

QString fuzzPath(const char* suffix) {
    const QString path = QDir::temp().filePath(
        QStringLiteral("quill-fuzz-%1%2").arg(::getpid()).arg(QLatin1String(suffix)));
    if (madeFiles().empty())
        std::atexit(removeMadeFiles);
    madeFiles().insert(QFile::encodeName(path).toStdString());
    return path;
}

QString fuzzFile(const QByteArray& bytes, const char* suffix) {
    const QString path = fuzzPath(suffix);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fuzzFailure("the input could not be written to a file", __FILE__, __LINE__);
    return path;
}

} // namespace quill
