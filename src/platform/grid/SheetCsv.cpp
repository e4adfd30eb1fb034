#include "platform/grid/SheetCsv.h"

#include "platform/grid/F1Book.h"
#include "platform/grid/GridError.h"

#include <QDir>
#include <QSaveFile>

namespace quill {

namespace {

// Characters written before they go out as UTF-8.
constexpr qsizetype FlushAt = 1 << 16;

bool needsQuotes(QStringView text) {
    for (const QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
}

void appendField(QString& line, QStringView text) {
    if (!needsQuotes(text)) {
        line += text;
        return;
    }
    line += QLatin1Char('"');
    for (const QChar c : text) {
        if (c == u'"')
            line += QLatin1Char('"');
        line += c;
    }
    line += QLatin1Char('"');
}

// Records gathered and written in pieces of about FlushAt characters.
class Records {
public:
    explicit Records(QIODevice& out)
        : m_out(out) {}

    template <typename Cell> void add(int lastCol, Cell cell) {
        for (int c = 1; c <= lastCol; ++c) {
            if (c > 1)
                m_text += QLatin1Char(',');
            appendField(m_text, cell(c));
        }
        m_text += QLatin1String("\r\n");
        if (m_text.size() >= FlushAt)
            flush();
    }
    void flush() {
        m_out.write(m_text.toUtf8());
        m_text.clear();
    }

private:
    QIODevice& m_out;
    QString m_text;
};

} // namespace

QString SheetCsv::field(const QString& text) {
    QString out;
    appendField(out, text);
    return out;
}

void SheetCsv::write(const F1Book& book, QIODevice& out) {
    const int lastCol = book.LastCol();
    Records records(out);
    if (book.showColHeading())
        records.add(lastCol, [&](int c) { return book.ColHeading(c); });
    // The grid's cells are its sheet's, read in place.
    const Sheet& sheet = book.sheet();
    for (int r = 0; r < sheet.rowCount(); ++r)
        records.add(lastCol, [&](int c) { return sheet.textView(r, c - 1); });
    records.flush();
}

void SheetCsv::save(const F1Book& book, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw GridError(QDir::toNativeSeparators(path) + QStringLiteral(" 无法写入：") +
                        file.errorString());
    write(book, file);
    if (!file.commit())
        throw GridError(QDir::toNativeSeparators(path) + QStringLiteral(" 无法写入：") +
                        file.errorString());
}

} // namespace quill
