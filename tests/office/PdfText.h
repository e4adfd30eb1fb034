#pragma once

#include <QString>
#include <QStringList>

namespace quill::test {

// The text of each page of a PDF file as pdftotext reads it, in layout mode.
QStringList pdfPages(const QString& path);

} // namespace quill::test
