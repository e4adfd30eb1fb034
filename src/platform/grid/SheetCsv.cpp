#include "platform/grid/SheetCsv.h"

#include "platform/grid/F1Book.h"
#include "platform/grid/GridError.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>

namespace quill {

namespace {

void writeRecord(const QStringList& fields, QIODevice& out) {
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(',');
        line += SheetCsv::field(fields[i]);
    }
    line += QLatin1String("\r\n");
    out.write(line.toUtf8());
}

} // namespace

QString SheetCsv::field(const QString& text) {
    static const QString special = QStringLiteral(",\"\r\n");
    const bool quoted =
        std::any_of(text.begin(), text.end(), [](QChar c) { return special.contains(c); });
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

void SheetCsv::write(const F1Book& book, QIODevice& out) {
    const int lastCol = book.LastCol();
    QStringList fields;
    fields.reserve(lastCol);
    if (book.showColHeading()) {
        for (int c = 1; c <= lastCol; ++c)
            fields << book.ColHeading(c);
        writeRecord(fields, out);
    }
    for (int r = 1; r <= book.LastRow(); ++r) {
        fields.clear();
        for (int c = 1; c <= lastCol; ++c)
            fields << book.CellText(r, c);
        writeRecord(fields, out);
    }
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
