#include "ZipArchive.h"

#include "GridError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quill {

ZipArchive::ZipArchive(const QString& path)
    : m_path(path) {
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        throw GridError(QStringLiteral("文件不存在：%1").arg(shown));
    if (info.size() == 0)
        throw GridError(QStringLiteral("文件是空的，不是工作簿：%1").arg(shown));
    int error = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!m_zip) {
        if (error == ZIP_ER_OPEN || error == ZIP_ER_READ)
            throw GridError(QStringLiteral("无法读取文件：%1").arg(shown));
        throw GridError(
            QStringLiteral("不是有效的工作簿文件（文件不完整或格式不对）：%1").arg(shown));
    }
}

ZipArchive::~ZipArchive() {
    zip_discard(m_zip);
}

bool ZipArchive::contains(const QString& entry) const {
    return zip_name_locate(m_zip, entry.toUtf8().constData(), 0) >= 0;
}

zip_file_t* ZipArchive::open(const QString& entry) const {
    return zip_fopen(m_zip, entry.toUtf8().constData(), 0);
}

} // namespace quill
