#pragma once

#include "platform/grid/CellRange.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace quill {

class Worksheet;

// A chart of a sheet as spreadsheet applications draw one from a source
// range, series by columns: the range's first row holds the series names,
// its first column the categories, every further column one series of
// values. A pie draws the first series only.
struct SheetChart {
    // The spreadsheet applications' codes: 51 clustered columns, -4102 a
    // three-dimensional pie (written and drawn as a plain pie).
    enum class Type { ColumnClustered = 51, Pie = -4102 };

    struct Series {
        QString name;
        std::vector<double> values; // one per category
    };
    // What the chart shows, read from the sheet's cells.
    struct Data {
        QStringList categories;
        std::vector<Series> series;
    };

    Type type = Type::ColumnClustered;
    CellRange source; // 0-based, inclusive
    QString title;

    // The categories and series of the source range; a value is the leading
    // numeric value of its cell's text.
    Data read(const Worksheet& sheet) const;
};

} // namespace quill
