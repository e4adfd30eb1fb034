#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <vector>

namespace quill {

// A settings file a person can read and edit: UTF-8 text made of
//
//   [section]
//   key=value
//
// lines. Blank lines, comment lines (first non-blank character ";" or "#")
// and lines that are neither a section nor an entry are kept as they are when
// the file is rewritten; an entry before the first section belongs to the
// section "". Blanks around the "=" and at both ends of a line are not part of
// the key or the value. Sections and keys compare case-insensitively; the
// first of two equal keys in a section wins.
//
// A section line may end in a comment ("[QUILL] ; 注释"). How texts that
// could not stand as they are are written is SettingsEscape's; the first line
// of a file this version wrote says so, and files without it may hold texts of
// the earlier, backslash form. A line read in that form is written again in the
// current one when the file is saved.
//
// Values are parsed once and read again only when the file changed on disk.
// Writes go to a temporary file that replaces the old one in one step, so a
// failed write leaves the old file whole.
class SettingsFile {
public:
    explicit SettingsFile(const QString& path);

    const QString& path() const { return m_path; }

    // The value, or "" when the file, the section or the key is absent.
    QString value(const QString& section, const QString& key);
    bool contains(const QString& section, const QString& key);
    // The keys of a section as written, in file order.
    QStringList keys(const QString& section);

    // Changes the file in memory; save() writes it.
    void setValue(const QString& section, const QString& key, const QString& value);
    void remove(const QString& section, const QString& key);
    // Writes the file atomically (creating its folder when needed); throws
    // SettingsError when it cannot, and the file on disk stays as it was.
    void save();

    // setValue() and save() in one step.
    void write(const QString& section, const QString& key, const QString& value);

private:
    struct Line {
        enum Kind { Other, Section, Entry };
        Kind kind = Other;
        QByteArray raw;      // the line as read, written back unless edited
        bool edited = false; // written from section, key and value instead
        QString section;
        QString key;
        QString value;
    };
    struct DiskState {
        bool exists = false;
        ino_t inode = 0;
        off_t size = 0;
        qint64 mtimeNs = 0;
        bool operator==(const DiskState&) const = default;
    };

    void refresh();
    void load();
    void index();
    DiskState diskState() const;
    int find(const QString& section, const QString& key) const;
    static QString fold(const QString& text) { return text.toCaseFolded(); }

    QString m_path;
    std::vector<Line> m_lines;
    QHash<QString, QHash<QString, int>> m_index; // folded section -> folded key -> line
    DiskState m_disk;
    bool m_currentFormat = false; // the file starts with this version's format line
    bool m_loaded = false;
    bool m_dirty = false;
};

} // namespace quill
