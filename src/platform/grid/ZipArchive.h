#pragma once

#include <QString>

#include <zip.h>

namespace quill {

// A zip file opened for reading; closed when dropped.
class ZipArchive {
public:
    // Raises GridError naming the file when it is missing, empty or no zip.
    explicit ZipArchive(const QString& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    QString path() const { return m_path; }
    bool contains(const QString& entry) const;
    // The entry opened for reading; nullptr when the archive has none such.
    zip_file_t* open(const QString& entry) const;

private:
    QString m_path;
    zip_t* m_zip = nullptr;
};

} // namespace quill
