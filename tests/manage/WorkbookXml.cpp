#include "WorkbookXml.h"

#include <QByteArray>
#include <QFile>

#include <zip.h>

namespace quill::test {

QString workbookEntry(const QString& path, const QString& entry) {
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!zip)
        return {};
    QByteArray bytes;
    if (zip_file_t* file = zip_fopen(zip, entry.toUtf8().constData(), 0)) {
        char buffer[65536];
        zip_int64_t n = 0;
        while ((n = zip_fread(file, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, qsizetype(n));
        zip_fclose(file);
    }
    zip_close(zip);
    return QString::fromUtf8(bytes);
}

QStringList workbookEntries(const QString& path) {
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!zip)
        return {};
    QStringList names;
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count; ++i)
        names << QString::fromUtf8(zip_get_name(zip, zip_uint64_t(i), 0));
    zip_close(zip);
    return names;
}

QStringList fileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

int displayWidth(const QString& text) {
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() < 0x80 ? 1 : 2;
    return width;
}

} // namespace quill::test
