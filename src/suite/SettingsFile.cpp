#include "suite/SettingsFile.h"

#include "suite/SettingsError.h"
#include "suite/SettingsEscape.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>

#include <optional>

namespace quill {

namespace {

using Part = SettingsEscape::Part;

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// The first line of every file this version writes: texts in it follow
// SettingsEscape's current form. Files without it may hold the earlier form.
const QByteArray FormatLine = "; QUILL 设置文件，&#N; 为编号 N 的字符（如 &#10; 为换行）";

// Index of the "=" between key and value, or -1. Keys of the earlier format
// escaped theirs with a backslash.
qsizetype separatorOf(QStringView line, bool earlierFormat) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (earlierFormat && line[i] == QLatin1Char('\\'))
            ++i;
        else if (line[i] == QLatin1Char('='))
            return i;
    }
    return -1;
}

// The name of a section line "[name]", which may be followed by a comment, or
// nullopt. The name ends at the last "]" after which only a comment follows.
std::optional<QStringView> sectionOf(QStringView body) {
    if (!body.startsWith(QLatin1Char('[')))
        return std::nullopt;
    for (qsizetype end = body.size() - 1; end > 0; --end) {
        if (body[end] != QLatin1Char(']'))
            continue;
        const QStringView rest = trimBlanks(body.sliced(end + 1));
        if (rest.isEmpty() || rest.startsWith(QLatin1Char(';')) ||
            rest.startsWith(QLatin1Char('#')))
            return trimBlanks(body.sliced(1, end - 1));
    }
    return std::nullopt;
}

// A text as read: in the current form, or in the earlier one where the file
// may hold it and it is what that writer wrote; otherwise as it stands.
QString readText(QStringView raw, SettingsEscape::Part part, bool earlierFormat) {
    if (!earlierFormat)
        return SettingsEscape::decode(raw);
    return SettingsEscape::decodeEarlier(raw, part).value_or(raw.toString());
}

} // namespace

SettingsFile::SettingsFile(const QString& path)
    : m_path(path) {}

QString SettingsFile::value(const QString& section, const QString& key) {
    refresh();
    const int i = find(section, key);
    return i < 0 ? QString() : m_lines[i].value;
}

bool SettingsFile::contains(const QString& section, const QString& key) {
    refresh();
    return find(section, key) >= 0;
}

QStringList SettingsFile::keys(const QString& section) {
    refresh();
    QStringList out;
    const QString wanted = fold(section);
    for (int i = 0; i < int(m_lines.size()); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Line::Entry && fold(line.section) == wanted &&
            find(line.section, line.key) == i)
            out << line.key;
    }
    return out;
}

void SettingsFile::setValue(const QString& section, const QString& key, const QString& value) {
    refresh();
    const int found = find(section, key);
    if (found >= 0) {
        m_lines[found].value = value;
        m_lines[found].edited = true;
        m_dirty = true;
        return;
    }
    Line entry;
    entry.kind = Line::Entry;
    entry.section = section;
    entry.key = key;
    entry.value = value;
    entry.edited = true;

    // After the last line of the section's first block; entries before the
    // first section header belong to the section "", after the format line.
    const QString wanted = fold(section);
    int blockStart = wanted.isEmpty() ? (m_currentFormat ? 1 : 0) : -1;
    for (int i = 0; i < int(m_lines.size()) && blockStart < 0; ++i) {
        if (m_lines[i].kind == Line::Section && fold(m_lines[i].section) == wanted)
            blockStart = i + 1;
    }
    if (blockStart < 0) {
        const bool endsBlank = m_lines.empty() || (m_lines.back().kind == Line::Other &&
                                                   m_lines.back().raw.trimmed().isEmpty());
        if (!endsBlank)
            m_lines.push_back(Line());
        Line header;
        header.kind = Line::Section;
        header.section = section;
        header.edited = true;
        m_lines.push_back(header);
        m_lines.push_back(entry);
    } else {
        int insertAt = blockStart;
        for (int i = blockStart; i < int(m_lines.size()); ++i) {
            if (m_lines[i].kind == Line::Section)
                break;
            if (m_lines[i].kind == Line::Entry)
                insertAt = i + 1;
        }
        m_lines.insert(m_lines.begin() + insertAt, entry);
    }
    index();
    m_dirty = true;
}

void SettingsFile::remove(const QString& section, const QString& key) {
    refresh();
    const int found = find(section, key);
    if (found < 0)
        return;
    m_lines.erase(m_lines.begin() + found);
    index();
    m_dirty = true;
}

void SettingsFile::save() {
    if (!m_currentFormat) {
        Line format;
        format.raw = FormatLine;
        m_lines.insert(m_lines.begin(), format);
        m_currentFormat = true;
        index();
    }
    QByteArray text;
    for (const Line& line : m_lines) {
        if (!line.edited) {
            text += line.raw;
            // A line that ends in a carriage return of its own keeps it past
            // the one a line end may carry.
            if (line.raw.endsWith('\r'))
                text += '\r';
        } else if (line.kind == Line::Section) {
            text += '[' + SettingsEscape::encode(line.section, Part::Section).toUtf8() + ']';
        } else {
            text += (SettingsEscape::encode(line.key, Part::Key) + QLatin1Char('=') +
                     SettingsEscape::encode(line.value, Part::Value))
                        .toUtf8();
        }
        text += '\n';
    }

    QString reason;
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        reason = QStringLiteral("无法建立文件夹 ") + folder;
    } else {
        QSaveFile file(m_path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
            reason = file.errorString();
    }
    if (!reason.isEmpty()) {
        // What is on disk is the truth again; the unsaved change is dropped.
        m_loaded = false;
        m_dirty = false;
        throw SettingsError(QStringLiteral("设置文件 %1 写入失败：%2").arg(m_path, reason));
    }
    m_dirty = false;
    m_disk = diskState();
}

void SettingsFile::write(const QString& section, const QString& key, const QString& value) {
    setValue(section, key, value);
    save();
}

void SettingsFile::refresh() {
    if (!m_loaded || (!m_dirty && diskState() != m_disk))
        load();
}

void SettingsFile::load() {
    m_disk = diskState();
    m_lines.clear();
    m_loaded = true;
    m_dirty = false;
    QFile file(m_path);
    QByteArray bytes;
    if (m_disk.exists && file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QList<QByteArray> rows = bytes.split('\n');
    if (!rows.isEmpty() && rows.back().isEmpty())
        rows.removeLast();

    m_currentFormat =
        !rows.isEmpty() && (rows.front() == FormatLine || rows.front() == FormatLine + '\r');
    const bool earlier = !m_currentFormat;

    QString section;
    m_lines.reserve(rows.size());
    for (QByteArray& row : rows) {
        if (row.endsWith('\r'))
            row.chop(1);
        Line line;
        line.raw = row;
        const QString text = QString::fromUtf8(row);
        const QStringView body = trimBlanks(text);
        const bool comment = body.startsWith(QLatin1Char(';')) || body.startsWith(QLatin1Char('#'));
        if (body.isEmpty() || comment) {
            m_lines.push_back(line);
            continue;
        }
        if (const auto name = sectionOf(body)) {
            line.kind = Line::Section;
            section = readText(*name, Part::Section, earlier);
            line.section = section;
            // Written again in the current form when this version saves the file.
            line.edited = earlier && section != SettingsEscape::decode(*name);
        } else if (const qsizetype eq = separatorOf(body, earlier); eq >= 0) {
            const QStringView key = trimBlanks(body.first(eq));
            const QStringView value = trimBlanks(body.sliced(eq + 1));
            line.kind = Line::Entry;
            line.section = section;
            line.key = readText(key, Part::Key, earlier);
            line.value = readText(value, Part::Value, earlier);
            line.edited = earlier && (separatorOf(body, false) != eq ||
                                      line.key != SettingsEscape::decode(key) ||
                                      line.value != SettingsEscape::decode(value));
        }
        m_lines.push_back(line);
    }
    index();
}

void SettingsFile::index() {
    m_index.clear();
    for (int i = 0; i < int(m_lines.size()); ++i) {
        const Line& line = m_lines[i];
        if (line.kind != Line::Entry)
            continue;
        QHash<QString, int>& keys = m_index[fold(line.section)];
        const QString key = fold(line.key);
        if (!keys.contains(key))
            keys.insert(key, i);
    }
}

int SettingsFile::find(const QString& section, const QString& key) const {
    const auto keys = m_index.constFind(fold(section));
    if (keys == m_index.cend())
        return -1;
    return keys->value(fold(key), -1);
}

SettingsFile::DiskState SettingsFile::diskState() const {
    DiskState state;
    struct stat info;
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0)
        return state;
    state.exists = true;
    state.inode = info.st_ino;
    state.size = info.st_size;
    state.mtimeNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return state;
}

} // namespace quill
