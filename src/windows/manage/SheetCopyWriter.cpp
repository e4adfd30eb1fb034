#include "windows/manage/SheetCopyWriter.h"

#include "platform/grid/WorkbookWriter.h"
#include "platform/ui/Ui.h"

#include <QDir>
#include <QPromise>

#include <exception>

namespace quill {

namespace {

// Writes the copy; the message telling why it failed, empty when written.
QString writeCopy(const Sheet& sheet, const QString& folder, const QString& path) {
    QString reason;
    try {
        if (QDir().mkpath(folder)) {
            WorkbookWriter::save(sheet, path);
            return QString();
        }
        reason = QStringLiteral("无法建立文件夹 ") + QDir::toNativeSeparators(folder);
    } catch (const std::exception& e) {
        // A thread must not end by an exception: whatever failed is shown.
        reason = QString::fromUtf8(e.what());
    }
    return QStringLiteral("文件未能写入：%1\n%2").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

SheetCopyWriter::SheetCopyWriter() {
    // Queued from the worker: a copy nobody waited for is reported when done.
    QObject::connect(&m_failure, &QFutureWatcherBase::finished, &m_failure, [this] {
        if (m_failure.isFinished())
            finish();
    });
}

SheetCopyWriter::~SheetCopyWriter() {
    finish();
}

void SheetCopyWriter::write(Sheet sheet, const QString& folder, const QString& fileName) {
    finish();
    const QString path = folder + QLatin1Char('/') + fileName;
    QPromise<QString> promise;
    promise.start();
    m_failure.setFuture(promise.future());
    m_worker = std::thread(
        [promise = std::move(promise), sheet = std::move(sheet), folder, path]() mutable {
            promise.addResult(writeCopy(sheet, folder, path));
            promise.finish();
        });
}

void SheetCopyWriter::finish() {
    if (!m_worker.joinable())
        return;
    m_worker.join();
    // Taken before the message: the box's own event loop may start another copy.
    const QString failure = m_failure.result();
    if (!failure.isEmpty())
        MsgBox(failure);
}

} // namespace quill
