#include "windows/manage/SheetCopyWriter.h"

#include "platform/grid/WorkbookWriter.h"
#include "platform/ui/Ui.h"

#include <QDir>
#include <QPromise>

#include <exception>

namespace quill {

namespace {

// The copy's failure, empty when it was written.
QString writeCopy(const Sheet& sheet, const QString& folder, const QString& path) {
    try {
        if (!QDir().mkpath(folder))
            return QStringLiteral("无法建立文件夹 ") + QDir::toNativeSeparators(folder);
        WorkbookWriter::save(sheet, path);
        return QString();
    } catch (const std::exception& e) {
        // A thread must not end by an exception: whatever failed is shown.
        return QString::fromUtf8(e.what());
    }
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
    m_worker = std::thread([promise = std::move(promise), sheet = std::move(sheet), folder,
                            path]() mutable {
        QString failure = writeCopy(sheet, folder, path);
        if (!failure.isEmpty())
            failure =
                QStringLiteral("文件未能写入：%1\n%2").arg(QDir::toNativeSeparators(path), failure);
        promise.addResult(failure);
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
