#include "PdfText.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace quill::test {

QStringList pdfPages(const QString& path) {
    QProcess process;
    process.start("pdftotext", {"-layout", path, "-"});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << path.toStdString() << ": "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QStringList pageLines(const QString& page) {
    QStringList out;
    for (const QString& line : page.split(u'\n')) {
        if (!line.trimmed().isEmpty())
            out << line.simplified();
    }
    return out;
}

} // namespace quill::test
