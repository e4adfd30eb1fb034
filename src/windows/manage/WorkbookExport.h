#pragma once

#include "windows/manage/PageOutput.h"

#include <QDate>
#include <QString>

namespace quill {

class F1Book;

// The workbook export of the rendered result sheet (the page setup
// routine's mode 3, headless): the grid's sheet, named by its caption, with the report's
// stored page setup and the fixed layout of the kind of sheet (a default
// sheet gains its bold heading row, print titles, print area, headers and
// footers) and the cells right of and below the data cleared, written as an
// OOXML workbook whatever the extension of `path`. Written to a temporary
// file beside `path`, which is replaced only when the workbook is complete.
// Headless: no dialog, no message, nothing started.
class WorkbookExport {
public:
    // Raises GridError with a message naming the file when it cannot be
    // written.
    static void write(F1Book& book, const QString& reportName, PageOutput::Kind kind,
                      const QString& path);
    // The same with the print date of the footers given (tests, reports).
    static void write(const F1Book& book, const QString& reportName, PageOutput::Kind kind,
                      const QString& path, QDate today);
};

} // namespace quill
