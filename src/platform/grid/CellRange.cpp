#include "CellRange.h"

#include "Sheet.h"

#include <algorithm>

namespace quill {

QString CellRange::columnName(int col) {
    QString name;
    for (int n = col + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

std::optional<CellRange> CellRange::parseCell(QStringView text) {
    qsizetype i = 0;
    const auto skipDollar = [&] {
        if (i < text.size() && text[i] == u'$')
            ++i;
    };
    skipDollar();
    long long col = 0;
    const qsizetype lettersFrom = i;
    for (; i < text.size() && text[i].isLetter() && text[i].unicode() < 128; ++i) {
        col = col * 26 + (text[i].toUpper().unicode() - u'A' + 1);
        if (col > Sheet::MaxCols)
            return std::nullopt;
    }
    if (i == lettersFrom)
        return std::nullopt;
    skipDollar();
    long long row = 0;
    const qsizetype digitsFrom = i;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        row = row * 10 + (text[i].unicode() - u'0');
        if (row > Sheet::MaxRows)
            return std::nullopt;
    }
    if (i == digitsFrom || i != text.size() || row < 1)
        return std::nullopt;
    const int r = int(row - 1);
    const int c = int(col - 1);
    return CellRange{r, c, r, c};
}

std::optional<CellRange> CellRange::parse(QStringView text) {
    const QStringView trimmed = text.trimmed();
    const qsizetype colon = trimmed.indexOf(u':');
    if (colon < 0)
        return parseCell(trimmed);
    const auto a = parseCell(trimmed.left(colon));
    const auto b = parseCell(trimmed.mid(colon + 1));
    if (!a || !b)
        return std::nullopt;
    return CellRange{std::min(a->firstRow, b->firstRow), std::min(a->firstCol, b->firstCol),
                     std::max(a->firstRow, b->firstRow), std::max(a->firstCol, b->firstCol)};
}

QString CellRange::toString() const {
    const QString first = columnName(firstCol) + QString::number(firstRow + 1);
    if (firstRow == lastRow && firstCol == lastCol)
        return first;
    return first + u':' + columnName(lastCol) + QString::number(lastRow + 1);
}

} // namespace quill
