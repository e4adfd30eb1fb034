#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

// Texts in test messages as they read.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace quill::test {

// The text of each page of a PDF file as pdftotext reads it, in layout mode.
QStringList pdfPages(const QString& path);
// The lines of a page that hold text, with runs of blanks made one.
QStringList pageLines(const QString& page);

} // namespace quill::test
