#include "suite/SettingsFile.h"

#include "suite/SettingsError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>

namespace quill {

namespace {

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

// Index of the first "=" that is not escaped, or -1.
qsizetype separatorOf(QStringView line) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == QLatin1Char('\\'))
            ++i;
        else if (line[i] == QLatin1Char('='))
            return i;
    }
    return -1;
}

} // namespace

SettingsFile::SettingsFile(const QString& path)
    : m_path(path) {}

QString SettingsFile::escape(const QString& text, bool isKey) {
    qsizetype first = 0;
    qsizetype last = text.size() - 1;
    while (first < text.size() && isBlank(text[first]))
        ++first;
    while (last >= first && isBlank(text[last]))
        --last;
    QString out;
    out.reserve(text.size() + 4);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool outerBlank = isBlank(c) && (i < first || i > last);
        if (outerBlank)
            out += c == QLatin1Char(' ') ? QStringLiteral("\\s") : QStringLiteral("\\t");
        else if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (isKey && (c == QLatin1Char('=') ||
                           (i == 0 && (c == QLatin1Char(';') || c == QLatin1Char('#') ||
                                       c == QLatin1Char('[')))))
            out += QLatin1Char('\\') + c;
        else
            out += c;
    }
    return out;
}

QString SettingsFile::unescape(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const char16_t next = text[i + 1].unicode();
        switch (next) {
        case u'n':
            out += QLatin1Char('\n');
            break;
        case u'r':
            out += QLatin1Char('\r');
            break;
        case u's':
            out += QLatin1Char(' ');
            break;
        case u't':
            out += QLatin1Char('\t');
            break;
        case u'\\':
        case u'=':
        case u';':
        case u'#':
        case u'[':
            out += QChar(next);
            break;
        default:
            out += c; // not an escape: the backslash stays
            continue;
        }
        ++i;
    }
    return out;
}

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
    // first section header belong to the section "".
    const QString wanted = fold(section);
    int blockStart = wanted.isEmpty() ? 0 : -1;
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
    QByteArray text;
    for (const Line& line : m_lines) {
        if (!line.edited)
            text += line.raw;
        else if (line.kind == Line::Section)
            text += '[' + escape(line.section, false).toUtf8() + ']';
        else
            text +=
                (escape(line.key, true) + QLatin1Char('=') + escape(line.value, false)).toUtf8();
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
        if (body.size() >= 2 && body.startsWith(QLatin1Char('[')) &&
            body.endsWith(QLatin1Char(']'))) {
            line.kind = Line::Section;
            section = unescape(trimBlanks(body.sliced(1, body.size() - 2)));
            line.section = section;
        } else if (const qsizetype eq = separatorOf(body); eq >= 0) {
            line.kind = Line::Entry;
            line.section = section;
            line.key = unescape(trimBlanks(body.first(eq)));
            line.value = unescape(trimBlanks(body.sliced(eq + 1)));
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
