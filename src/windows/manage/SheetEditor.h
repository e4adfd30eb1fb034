#pragma once

#include "platform/grid/Sheet.h"
#include "windows/manage/SheetCopyWriter.h"

#include <QString>
#include <QVariantList>

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <vector>

namespace quill {

class F1Book;
class Recordset;
class ResultSheetRenderer;

// Editing the result sheet in place and saving it back: the edit command
// (MN05) opens the record rows for typing and leaves a backup copy of the
// sheet, the save command (MN06) checks and writes what was typed in one
// transaction, all or nothing, and leaves a log copy; both copies are
// written behind the commands, by a SheetCopyWriter. Between the two the
// grid's events decide per cell whether it may be typed, keep entries as
// text and store the column widths.
//
// Only cells whose text differs from the sheet as it was when editing began
// are checked and written: the sheet shows formatted values (amounts
// rounded, dates in their format, names for codes), which must never
// replace the stored value of a cell nobody touched.
class SheetEditor {
public:
    // The sheet, how it was rendered, the recordset it shows (asked anew:
    // the window replaces it with every report) and the window's edit-mode
    // flag, which the plug-in command reads as well.
    SheetEditor(F1Book& book, const ResultSheetRenderer& renderer, std::function<Recordset&()> data,
                bool& editMode);

    void edit();
    void save();
    // The selection moved: typing on or off for the cell under it.
    void selectionChange();
    // The typed text is kept as a text, whatever it looks like.
    static void endEdit(QString& text);
    // Stores every column's width in section "COLUMN"; a failing step is
    // passed over.
    void saveWidths();

    bool isEditing() const;
    // A new rendering shows the records afresh: back to viewing.
    void rendered();
    // Whether the sheet may be thrown away: true when nothing is being
    // edited, else the user's answer to the question; an OK ends editing.
    bool mayDiscard();
    // Waits until the backup and log copies started so far are written.
    void finishCopies();

private:
    struct Cell {
        int row;
        int col;
    };

    // Record rows of the sheet: never the totals row, never a row beyond
    // the records shown.
    int recordRows() const;
    bool typable(int row, int col) const;
    bool columnTypable(int col) const;
    // Cells whose text changed since editing began, row by row.
    std::vector<Cell> changedCells() const;
    // The first refused cell, column by column; its message.
    std::optional<std::pair<Cell, QString>> refusal(const std::vector<Cell>& changed) const;
    // Writes every changed row in one transaction; false (nothing written,
    // the row selected and named) when any write fails.
    bool write(const std::vector<Cell>& changed);
    void writeRow(int row, const std::vector<int>& cols);
    // After a failed save: the recordset read again, so that the rows
    // written and rolled back match the database once more; rows that
    // differ from what the sheet was rendered from (another user's
    // change) are remembered and refused until the next rendering.
    void resync(const std::vector<std::pair<int, QVariantList>>& written);
    static QVariantList valuesOf(const Recordset& data);
    // An S cell's value: the text, or the code of the unit it names.
    QVariant textValue(int col, const QString& text) const;
    // Shows why the save failed at row (0: at the commit) and selects it.
    void failed(int row, const QString& reason);
    void setTyping(bool on);
    void leaveEditing();
    static QString logName();
    // Starts writing the sheet as a workbook into folder.
    void writeCopy(const QString& folder, Sheet sheet);

    F1Book& m_book;
    const ResultSheetRenderer& m_renderer;
    std::function<Recordset&()> m_data;
    bool& m_editMode;
    std::optional<Sheet> m_before; // the sheet as it was when editing began
    std::uint32_t m_mark = 0;      // its Sheet::mark()
    std::set<int> m_conflicts;     // rows another user changed since the rendering
    SheetCopyWriter m_copies;
};

} // namespace quill
