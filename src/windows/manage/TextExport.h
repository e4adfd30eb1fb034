#pragma once

#include <QString>

namespace quill {

class F1Book;

// The fixed-width text export of the rendered result sheet: one
// line per sheet row, 1 to LastRow, the totals row included, the fields of
// columns 1 to LastCol by the type code of the column's heading in the
// column dictionary of the current table:
//   S  "-AAA-" and the cell text made up with blanks behind it to
//      2 x ColumnWidth bytes of code page GBK (display columns: a Chinese
//      character counts 2), so the fields of one column line up;
//   D  "-BBB-" and the cell text formatted with the column's ColumnWidth
//      text (or "##0.00" when empty), blanks in front to 10 characters;
//   I  "-CCC-" and the cell text, blanks in front to 10 characters;
//   any other type: the cell text unchanged, no marker.
// The file is UTF-8, lines end with "\n". Headless: no dialog, no message.
class TextExport {
public:
    enum class Mode {
        Append, // after what the file already holds (the window's export)
        Replace // the file holds this export only, replaced once complete
    };

    // Raises GridError with a message naming the file when it cannot be
    // written.
    static void write(const F1Book& book, const QString& path, Mode mode);

    // The text of all lines, each ending with "\n".
    static QString text(const F1Book& book);
};

} // namespace quill
