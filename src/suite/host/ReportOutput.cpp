#include "ReportOutput.h"

#include "platform/grid/F1Book.h"
#include "platform/grid/GridError.h"
#include "platform/grid/SheetCsv.h"
#include "platform/office/Application.h"
#include "platform/office/Worksheet.h"
#include "windows/manage/TextExport.h"
#include "windows/manage/WorkbookExport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

namespace quill {

namespace {

[[noreturn]] void failWrite(const QString& path, const QString& reason) {
    throw GridError(QDir::toNativeSeparators(path) + QStringLiteral(" 无法写入：") + reason);
}

// The print routine's page setup and layout on the grid's sheet, as the
// workbook export takes it, printed into a PDF beside the file, which then
// takes the file's place. Never through the work folder's temporary
// workbook, which another run may be writing.
void writePdf(const F1Book& book, const QString& reportName, PageOutput::Kind kind,
              const QString& path) {
    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.quill-XXXXXX.pdf"));
    if (!temp.open())
        failWrite(path, temp.errorString());
    temp.close();
    Worksheet sheet(book.sheet());
    sheet.setName(book.SheetName(1));
    const QDateTime now = QDateTime::currentDateTime();
    PageOutput::layOut(sheet, book, reportName, kind, now.date());
    Application::printToPdf(sheet, now, temp.fileName());
    if (QFileInfo(temp.fileName()).size() == 0)
        failWrite(path, QStringLiteral("打印程序未能写出 PDF"));
    QFile::setPermissions(temp.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (std::rename(QFile::encodeName(temp.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        failWrite(path, QStringLiteral("无法替换原文件"));
    temp.setAutoRemove(false);
}

} // namespace

void ReportOutput::write(F1Book& book, const QString& reportName, PageOutput::Kind kind,
                         const QString& path) {
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("xlsx"))
        WorkbookExport::write(book, reportName, kind, path);
    else if (extension == QLatin1String("pdf"))
        writePdf(book, reportName, kind, path);
    else if (extension == QLatin1String("txt"))
        TextExport::write(book, path, TextExport::Mode::Replace);
    else
        SheetCsv::save(book, path);
}

} // namespace quill
