#pragma once

#include <QString>

namespace quill {

class Worksheet;
struct PageSetup;
struct SheetChart;

// Writes a worksheet as it stands, with its page setup (margins,
// orientation, paper, scale or fit to pages, first page number, order, grid
// lines, headings, centring, headers and footers, print titles and print
// area) and optionally a chart, into an OOXML workbook: what "leaving the
// workbook open for the user" leaves on this platform. Through the grid's
// workbook writer, so cells, widths, bold and borders are written as the
// grid writes them. Print quality, draft, black and white and comments have
// no place in the file written and are left out.
class WorkbookFile {
public:
    // Writes to a temporary file beside `path` and replaces `path` only
    // once it is complete. A page setup value the file cannot take (a
    // header longer than 255 characters, an unknown paper) is left out.
    // Raises GridError with a message naming the file when it cannot be
    // written.
    static void save(const Worksheet& sheet, const QString& path,
                     const SheetChart* chart = nullptr);

    // "&L" + left + "&C" + centre + "&R" + right, empty sections left out.
    static QString headerFooter(const QString& left, const QString& center, const QString& right);
    // The rows of "$1:$4" (1-based, first and last); false when malformed.
    static bool titleRows(const QString& text, int& first, int& last);
};

} // namespace quill
