#include "FuzzTarget.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace quill {

void fuzzFailure(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

QString fuzzPath(const char* suffix) {
    return QDir::temp().filePath(
        QStringLiteral("quill-fuzz-%1%2").arg(::getpid()).arg(QLatin1String(suffix)));
}

QString fuzzFile(const QByteArray& bytes, const char* suffix) {
    const QString path = fuzzPath(suffix);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fuzzFailure("the input could not be written to a file", __FILE__, __LINE__);
    return path;
}

} // namespace quill
