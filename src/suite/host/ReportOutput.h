#pragma once

#include "windows/manage/PageOutput.h"

#include <QString>

namespace quill {

class F1Book;

// Writes a rendered result sheet into the file a report run names, by its
// extension, through the window's own output routines: ".xlsx" the workbook
// export, ".pdf" the print routine into a PDF, ".txt" the fixed-width text
// export (replacing the file), ".csv" the sheet's cells as comma-separated
// text. The file is written whole or not at all. Raises GridError naming the
// file when it cannot be written.
class ReportOutput {
public:
    static void write(F1Book& book, const QString& reportName, PageOutput::Kind kind,
                      const QString& path);
};

} // namespace quill
