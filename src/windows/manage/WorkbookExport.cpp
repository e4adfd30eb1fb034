#include "windows/manage/WorkbookExport.h"

#include "platform/grid/F1Book.h"
#include "platform/office/WorkbookFile.h"
#include "platform/office/Worksheet.h"

namespace quill {

void WorkbookExport::write(F1Book& book, const QString& reportName, PageOutput::Kind kind,
                           const QString& path) {
    write(book, reportName, kind, path, QDate::currentDate());
}

void WorkbookExport::write(const F1Book& book, const QString& reportName, PageOutput::Kind kind,
                           const QString& path, QDate today) {
    // The sheet as WriteFile(path, 4) would leave it and the routine would
    // open it again, without the round trip through the file.
    Worksheet sheet(book.sheet());
    sheet.setName(book.SheetName(1));
    PageOutput::layOut(sheet, book, reportName, kind, today);
    PageOutput::clearOutside(sheet, book, kind);
    WorkbookFile::save(sheet, path);
}

} // namespace quill
