#pragma once

#include <QString>
#include <QStringList>

namespace quill::test {

// One entry of a workbook file (a zip of XML parts) as text; "" when the
// file or the entry is missing.
QString workbookEntry(const QString& path, const QString& entry);
// The names of the entries of a zip file.
QStringList workbookEntries(const QString& path);
// Lines of a text file split at "\n" (the last, empty piece dropped), as
// UTF-8.
QStringList fileLines(const QString& path);
// Display columns of a text in a fixed-width font: a character beyond
// ASCII counts 2, independent of any code page converter.
int displayWidth(const QString& text);

} // namespace quill::test
