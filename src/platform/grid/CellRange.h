#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace quill {

// A rectangle of cells, 0-based and inclusive, as written in references
// such as "A1", "$A$5:$E$20" or "b2:C3".
struct CellRange {
    int firstRow = 0;
    int firstCol = 0;
    int lastRow = 0;
    int lastCol = 0;

    // Column letters for a 0-based column: 0 -> "A", 26 -> "AA".
    static QString columnName(int col);
    // One cell reference ("$B$7", "b7"); nothing when malformed.
    static std::optional<CellRange> parseCell(QStringView text);
    // A cell or a range of two cells; the corners may come in any order.
    static std::optional<CellRange> parse(QStringView text);
    // "A5:E20", or "A5" for one cell.
    QString toString() const;

    bool operator==(const CellRange&) const = default;
};

} // namespace quill
