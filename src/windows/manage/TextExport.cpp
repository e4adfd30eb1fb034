#include "windows/manage/TextExport.h"

#include "platform/grid/F1Book.h"
#include "platform/grid/GridError.h"
#include "platform/vb/Format.h"
#include "platform/vb/Val.h"
#include "suite/SuiteLib.h"

#include <QFile>
#include <QSaveFile>

#include <cmath>
#include <vector>

namespace quill {

namespace {

const QString TextMarker = QStringLiteral("-AAA-");
const QString DecimalMarker = QStringLiteral("-BBB-");
const QString WholeMarker = QStringLiteral("-CCC-");
constexpr int NumberWidth = 10;

struct Column {
    QChar type;
    int textBytes = 0; // S: 2 x ColumnWidth
    QString format;    // D: ColumnWidth, or "##0.00"
};

std::vector<Column> columnsOf(const F1Book& book) {
    const SuiteLib& lib = SuiteLib::instance();
    std::vector<Column> columns;
    for (int c = 1; c <= book.LastCol(); ++c) {
        const QString heading = book.ColHeading(c);
        const QString type = lib.ColumnType(heading);
        const QString width = lib.ColumnWidth(heading);
        Column column;
        column.type = type.isEmpty() ? QChar() : type.at(0).toUpper();
        if (column.type == u'S') {
            const double w = vb::Val(width);
            column.textBytes = std::isfinite(w) && w > 0 && w < 100000 ? 2 * int(w) : 0;
        } else if (column.type == u'D') {
            column.format = width.isEmpty() ? QStringLiteral("##0.00") : width;
        }
        columns.push_back(column);
    }
    return columns;
}

} // namespace

QString TextExport::text(const F1Book& book) {
    const std::vector<Column> columns = columnsOf(book);
    const Sheet& sheet = book.sheet();
    const int lastRow = std::min(book.LastRow(), sheet.rowCount());
    const int lastCol = std::min(int(columns.size()), sheet.columnCount());
    QString out;
    for (int r = 0; r < lastRow; ++r) {
        for (int c = 0; c < lastCol; ++c) {
            const Column& column = columns[std::size_t(c)];
            const QString cell = sheet.text(r, c);
            switch (column.type.unicode()) {
            case u'S':
                out += TextMarker;
                out += SuiteLib::PadText(cell, u' ', column.textBytes);
                break;
            case u'D':
                out += DecimalMarker;
                out += SuiteLib::PadNumber(vb::Format(QVariant(cell), column.format), u' ',
                                           NumberWidth);
                break;
            case u'I':
                out += WholeMarker;
                out += SuiteLib::PadNumber(cell, u' ', NumberWidth);
                break;
            default:
                out += cell;
                break;
            }
        }
        out += u'\n';
    }
    return out;
}

void TextExport::write(const F1Book& book, const QString& path, Mode mode) {
    if (path.trimmed().isEmpty())
        throw GridError::unwritable(path, QStringLiteral("没有文件名"));
    const QByteArray bytes = text(book).toUtf8();
    if (mode == Mode::Replace) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            throw GridError::unwritable(path, file.errorString());
        if (file.write(bytes) != bytes.size())
            throw GridError::unwritable(path, file.errorString());
        if (!file.commit())
            throw GridError::unwritable(path, file.errorString());
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw GridError::unwritable(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw GridError::unwritable(path, file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw GridError::unwritable(path, file.errorString());
}

} // namespace quill
