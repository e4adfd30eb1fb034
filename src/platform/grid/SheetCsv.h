#pragma once

#include <QString>

class QIODevice;

namespace quill {

class F1Book;

// The grid's sheet as comma-separated text (RFC 4180): UTF-8 without a byte
// order mark, every record ended by CR LF, a field quoted when it holds a
// comma, a quote, CR or LF, with its quotes doubled. The column headings come
// first when the grid shows them (a template carries its own in its cells);
// then rows 1 to LastRow, columns 1 to LastCol, each cell as it shows.
class SheetCsv {
public:
    static void write(const F1Book& book, QIODevice& out);
    // Writes the file whole or not at all: an existing file is replaced only
    // once the new one is complete. Raises GridError naming the file.
    static void save(const F1Book& book, const QString& path);
    // One field as it stands in a record.
    static QString field(const QString& text);
};

} // namespace quill
