#include "ReportOutput.h"

#include "platform/grid/F1Book.h"
#include "platform/grid/GridError.h"
#include "platform/grid/SheetCsv.h"
#include "windows/manage/TextExport.h"
#include "windows/manage/WorkbookExport.h"

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

// The print routine prints into a PDF beside the file, which then takes the
// file's place.
void writePdf(F1Book& book, const QString& reportName, PageOutput::Kind kind, const QString& path) {
    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.quill-XXXXXX.pdf"));
    if (!temp.open())
        failWrite(path, temp.errorString());
    temp.close();
    PageOutput output(book, nullptr);
    output.setPrintFile(temp.fileName());
    output.writeAndRun(reportName, kind, PageOutput::Print);
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
