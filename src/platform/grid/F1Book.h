#pragma once

#include "Sheet.h"

#include <QPointer>
#include <QTableView>

class QLineEdit;

namespace quill {

class CellDelegate;
class DropDownList;
class SheetModel;

// The spreadsheet grid every window shows its records in. Rows and columns
// count from 1. Reading a cell beyond the used extent gives ""; writing one
// grows the extent; anything else outside the sheet raises std::out_of_range.
// Events are signals; those with arguments by reference must be connected
// directly, and what the handler leaves in them takes effect.
class F1Book : public QTableView {
    Q_OBJECT
public:
    explicit F1Book(QWidget* parent = nullptr);
    ~F1Book() override;

    // Cells: CellText is what a cell shows, CellEntry what was entered.
    // Setting a text enters it: "'" marks a text, "=" a formula, "" clears.
    QString CellText(int row, int col) const;
    void SetCellText(int row, int col, const QString& text);
    QString CellEntry(int row, int col) const;
    bool cellBold(int row, int col) const;
    void setCellBold(int row, int col, bool bold);
    Sheet::Borders cellBorders(int row, int col) const;

    // Used extent; setting it sizes the sheet.
    int LastRow() const;
    void SetLastRow(int rows);
    int LastCol() const;
    void SetLastCol(int cols);
    // First visible row.
    int TopRow() const;
    void SetTopRow(int row);
    // The active cell; 0 when there is none.
    int ActiveRow() const;
    int ActiveCol() const;
    // The cell the user is on; 0 when nothing is selected.
    int SelRow() const;
    int SelCol() const;
    // The selected range as "A5:E20" ("A5" for one cell); "" when none.
    QString SelectionText() const;

    QString ColHeading(int col) const;
    void SetColHeading(int col, const QString& text);
    // Width in 1/256 of a character width (3072 = 12 characters).
    int ColWidthOf(int col) const;
    void SetColWidthOf(int col, int width);
    QString SheetName(int sheet) const;
    void SetSheetName(int sheet, const QString& name);
    QString BookCaption() const { return m_bookCaption; }
    void SetBookCaption(const QString& caption) { m_bookCaption = caption; }

    // Whether cells may be opened for typing at all.
    bool AllowCellEditing() const { return m_allowCellEditing; }
    void SetAllowCellEditing(bool on);
    // With editing allowed: typing over a cell replaces its entry.
    bool AllowEditB() const { return m_allowEditB; }
    void SetAllowEditB(bool on) { m_allowEditB = on; }
    // With editing allowed: Delete clears the selected cells.
    bool AllowEditC() const { return m_allowEditC; }
    void SetAllowEditC(bool on) { m_allowEditC = on; }
    // Switch 1: Enter moves the active cell one row down.
    bool enterMovesDown() const { return m_enterMovesDown; }
    void setEnterMovesDown(bool on) { m_enterMovesDown = on; }
    // Switch 60: the column heading bar is shown.
    bool showColHeading() const;
    void setShowColHeading(bool on);

    // Moves the active cell there and selects it; an open edit is committed.
    void SetActiveCell(int row, int col);
    void SetSelection(int row1, int col1, int row2, int col2);
    // Opens the active cell for typing (when editing is allowed): with
    // clearEntry the editor starts empty, else with the entry and the caret
    // at its end, or at its start with caretAtStart, or all of it selected.
    void StartCellEdit(bool clearEntry, bool caretAtStart, bool selectAll);
    // Whether a cell is open for typing.
    bool isEditing() const { return state() == EditingState; }
    // Selects a range written as "$A$5:$E$20", "A5:E20" or "B7"; raises
    // GridError for a malformed text or a range past the sheet.
    void SelectRange(const QString& range);
    // Borders the selection: outline on its outer edges, left/right/top/
    // bottom on those edges of every cell in it (applied first), each a line
    // style 0 (none) to 13, or -1 to leave it. Lines are drawn in black;
    // shade and the colours are accepted as given.
    void SetBorder(int outline, int left, int right, int top, int bottom, int shade,
                   unsigned outlineColor, unsigned leftColor, unsigned rightColor,
                   unsigned topColor, unsigned bottomColor);

    // Replaces the sheet by the first sheet of a workbook file; raises
    // GridError and keeps the sheet as it was when the file cannot be read.
    void ReadFile(const QString& path);
    // Replaces the sheet by one already read (WorkbookReader::read).
    void ReadSheet(Sheet&& sheet);
    // Writes the sheet as a workbook, whatever the type (4 included).
    void WriteFile(const QString& path, int type);

    // Drop-down object 1: entries count from 0, ObjValue is the chosen one
    // (-1: none); ObjSetPos takes sheet co-ordinates (column and row edges).
    int ObjItemCount(int obj) const;
    void ObjAddItem(int obj, const QString& text);
    void ObjDeleteItem(int obj, int index);
    void ObjSetPos(int obj, float x1, float y1, float x2, float y2);
    QString ObjItemText(int obj, int index) const;
    int ObjValue(int obj) const;
    void SetObjValue(int obj, int index);
    bool ObjVisible(int obj) const;
    void SetObjVisible(int obj, bool visible);

    const Sheet& sheet() const;

signals:
    // Row 0: a column heading; column 0: a row heading.
    void Click(int row, int col);
    void DblClick(int row, int col);
    // The selection or the active cell changed, or an entry was picked from
    // the drop-down object.
    void SelChange();
    // The typed text of an in-cell edit; the handler may change it, or set
    // cancel to keep the cell as it was.
    void EndEdit(QString& editString, bool& cancel);
    // The character code of a key (13 Enter); the handler may change it, or
    // set it to 0 to drop the key.
    void KeyPress(int& keyAscii);
    // Button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; x and
    // y in pixels within the cells.
    void MouseDown(int button, int shift, int x, int y);
    // The user has changed column widths.
    void ColWidthChange();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    struct SelectionState {
        int row = -1;
        int col = -1;
        QString range;
        bool operator==(const SelectionState&) const = default;
    };
    // Holds SelChange back until a whole user or program action is done.
    class SelectionBatch {
    public:
        explicit SelectionBatch(F1Book* book);
        ~SelectionBatch() noexcept(false);
        SelectionBatch(const SelectionBatch&) = delete;
        SelectionBatch& operator=(const SelectionBatch&) = delete;

    private:
        F1Book* m_book;
        int m_exceptions;
    };

    void checkCell(int row, int col) const;
    void checkReadable(int row, int col) const;
    void checkColumn(int col) const;
    void checkObject(int obj) const;
    void scheduleRefresh();
    void selectionTouched();
    void flushSelChange(bool force);
    SelectionState selectionState() const;
    QModelIndex selectionAnchor() const;
    int pixelsFromWidth(int width) const;
    int widthFromPixels(int pixels) const;
    void applyColumnWidths(int fromCol);
    void columnResized(int col, int oldSize, int newSize);
    void openEditor(bool clearEntry, bool caretAtStart, bool selectAll, const QString& typed);
    void commitOpenEditor();
    void editCommitted(const QModelIndex& index, const QString& text);
    void clearSelectedCells();
    void placeDropDown();
    void dropDownPicked(int index);
    int edgeX(float x) const;
    int edgeY(float y) const;

    SheetModel* m_model;
    CellDelegate* m_delegate;
    DropDownList* m_list;
    QPointer<QLineEdit> m_editor;
    QString m_bookCaption;
    bool m_allowCellEditing = true;
    bool m_allowEditB = true;
    bool m_allowEditC = true;
    bool m_enterMovesDown = true;
    int m_batchDepth = 0;
    bool m_selectionTouched = false;
    bool m_flushQueued = false;
    bool m_refreshQueued = false;
    bool m_applyingWidths = false;
    bool m_widthChangePending = false;
    SelectionState m_lastSelection;
};

} // namespace quill
