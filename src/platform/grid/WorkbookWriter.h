#pragma once

#include "Sheet.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <unordered_map>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace quill {

// Writes sheets into an OOXML workbook that every spreadsheet application
// opens: texts as texts, a cell showing a plain decimal number as a number
// with a format that shows the same text ("12.50" stays "12.50"), formulas
// with the value they show (a typed formula without one, computed on
// opening), column widths, sheet name, bold and borders.
// Rows go out in order, so a workbook opened in constant-memory mode writes
// any size of sheet with bounded memory.
class WorkbookWriter {
public:
    explicit WorkbookWriter(lxw_workbook* workbook);

    // Adds a worksheet holding the sheet and returns it, for callers that
    // add page setup or charts before the workbook is closed.
    lxw_worksheet* addSheet(const Sheet& sheet);

    // Writes a workbook of that one sheet to path, whatever its extension.
    // An existing file is replaced only once the new one is complete.
    // Raises GridError when the file cannot be written.
    static void save(const Sheet& sheet, const QString& path);
    // The same, with `finish` called on the workbook and the written sheet
    // before the workbook is closed (page setup, charts). A GridError it
    // raises fails the save, with the file named.
    using Finish = std::function<void(lxw_workbook*, lxw_worksheet*)>;
    static void save(const Sheet& sheet, const QString& path, const Finish& finish);

    // The name a workbook accepts for a sheet: at most 31 characters, no
    // []:*?/\ , not empty.
    static QString fileSheetName(const QString& name);

    // Longest text a workbook cell holds.
    static constexpr int MaxTextLength = 32767;

private:
    lxw_format* format(bool bold, Sheet::Borders borders, int decimals);

    lxw_workbook* m_workbook;
    std::unordered_map<std::uint32_t, lxw_format*> m_formats;
};

} // namespace quill
