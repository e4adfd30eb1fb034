#include "F1Book.h"

#include "CellDelegate.h"
#include "CellRange.h"
#include "DropDownList.h"
#include "GridError.h"
#include "SheetModel.h"
#include "WorkbookReader.h"
#include "WorkbookWriter.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <array>
#include <cmath>
#include <exception>
#include <stdexcept>

namespace quill {

namespace {

[[noreturn]] void outOfRange(const QString& what) {
    throw std::out_of_range(what.toStdString());
}

void checkSheet(int sheet) {
    if (sheet != 1)
        outOfRange(QStringLiteral("没有第 %1 张工作表").arg(sheet));
}

// An item index of the drop-down list, from first (0, or -1 for "none").
void checkListIndex(int index, int first, int count) {
    if (index < first || index >= count)
        outOfRange(QStringLiteral("下拉对象没有第 %1 项").arg(index));
}

// The pixel width of the digit '0', the unit of column widths (1/256 each).
int digitPixels(const QFontMetrics& metrics) {
    return std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
}

int mouseButtonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

} // namespace

F1Book::SelectionBatch::SelectionBatch(F1Book* book)
    : m_book(book)
    , m_exceptions(std::uncaught_exceptions()) {
    ++m_book->m_batchDepth;
}

// The handler of SelChange may raise; it reaches the caller, unless the
// action itself is already failing.
F1Book::SelectionBatch::~SelectionBatch() noexcept(false) {
    if (--m_book->m_batchDepth == 0 && m_book->m_selectionTouched &&
        std::uncaught_exceptions() == m_exceptions)
        m_book->flushSelChange(false);
}

F1Book::F1Book(QWidget* parent)
    : QTableView(parent)
    , m_model(new SheetModel(this))
    , m_delegate(new CellDelegate(this))
    , m_list(new DropDownList(viewport())) {
    setModel(m_model);
    setItemDelegate(m_delegate);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(ContiguousSelection);
    setTabKeyNavigation(true);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(true);
    horizontalHeader()->viewport()->installEventFilter(this);

    connect(m_delegate, &CellDelegate::editorOpened, this, [this](QLineEdit* e) { m_editor = e; });
    connect(m_delegate, &CellDelegate::editorKeyPress, this,
            [this](int& code) { emit KeyPress(code); });
    connect(m_delegate, &CellDelegate::editCommitted, this, &F1Book::editCommitted);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& i) { emit Click(i.row() + 1, i.column() + 1); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& i) { emit DblClick(i.row() + 1, i.column() + 1); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int c) { emit Click(0, c + 1); });
    connect(verticalHeader(), &QHeaderView::sectionClicked, this,
            [this](int r) { emit Click(r + 1, 0); });
    connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int c) { emit DblClick(0, c + 1); });
    connect(verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int r) { emit DblClick(r + 1, 0); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &F1Book::columnResized);
    connect(verticalHeader(), &QHeaderView::sectionResized, this, [this] { placeDropDown(); });
    connect(m_model, &QAbstractItemModel::columnsInserted, this,
            [this](const QModelIndex&, int first, int) { applyColumnWidths(first); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { applyColumnWidths(0); });
    connect(m_list, &DropDownList::picked, this, &F1Book::dropDownPicked);
    connect(m_list, &DropDownList::dismissed, this, [this] {
        m_list->hide();
        setFocus();
    });
}

F1Book::~F1Book() = default;

// ---- checks ----

void F1Book::checkCell(int row, int col) const {
    if (row < 1 || col < 1 || row > LastRow() || col > LastCol())
        outOfRange(QStringLiteral("单元格 (%1, %2) 不在工作表内（%3 行 %4 列）")
                       .arg(row)
                       .arg(col)
                       .arg(LastRow())
                       .arg(LastCol()));
}

void F1Book::checkReadable(int row, int col) const {
    if (row < 1 || col < 1 || row > Sheet::MaxRows || col > Sheet::MaxCols)
        outOfRange(QStringLiteral("单元格 (%1, %2) 超出工作表范围").arg(row).arg(col));
}

void F1Book::checkColumn(int col) const {
    if (col < 1 || col > LastCol())
        outOfRange(QStringLiteral("第 %1 列不在工作表内（共 %2 列）").arg(col).arg(LastCol()));
}

void F1Book::checkObject(int obj) const {
    if (obj != 1)
        outOfRange(QStringLiteral("没有第 %1 号下拉对象").arg(obj));
}

// ---- cells ----

QString F1Book::CellText(int row, int col) const {
    checkReadable(row, col);
    if (row > LastRow() || col > LastCol())
        return QString();
    return m_model->sheet().text(row - 1, col - 1);
}

void F1Book::SetCellText(int row, int col, const QString& text) {
    checkReadable(row, col);
    if (row > LastRow() || col > LastCol())
        m_model->resize(std::max(row, LastRow()), std::max(col, LastCol()));
    m_model->cells().setEntry(row - 1, col - 1, text);
    scheduleRefresh();
}

QString F1Book::CellEntry(int row, int col) const {
    checkReadable(row, col);
    if (row > LastRow() || col > LastCol())
        return QString();
    return m_model->sheet().entry(row - 1, col - 1);
}

bool F1Book::cellBold(int row, int col) const {
    checkCell(row, col);
    return m_model->sheet().bold(row - 1, col - 1);
}

void F1Book::setCellBold(int row, int col, bool bold) {
    checkCell(row, col);
    m_model->cells().setBold(row - 1, col - 1, bold);
    scheduleRefresh();
}

Sheet::Borders F1Book::cellBorders(int row, int col) const {
    checkCell(row, col);
    return m_model->sheet().borders(row - 1, col - 1);
}

const Sheet& F1Book::sheet() const {
    return m_model->sheet();
}

// Cells are filled by the thousand; the view is told once, when control
// returns to the event loop.
void F1Book::scheduleRefresh() {
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refreshQueued = false;
            m_model->cellsChanged();
        },
        Qt::QueuedConnection);
}

// ---- extent and view ----

int F1Book::LastRow() const {
    return m_model->sheet().rowCount();
}

void F1Book::SetLastRow(int rows) {
    if (rows < 0 || rows > Sheet::MaxRows)
        outOfRange(QStringLiteral("行数 %1 超出范围").arg(rows));
    SelectionBatch batch(this);
    m_model->resize(rows, LastCol());
}

int F1Book::LastCol() const {
    return m_model->sheet().columnCount();
}

void F1Book::SetLastCol(int cols) {
    if (cols < 0 || cols > Sheet::MaxCols)
        outOfRange(QStringLiteral("列数 %1 超出范围").arg(cols));
    SelectionBatch batch(this);
    m_model->resize(LastRow(), cols);
}

int F1Book::TopRow() const {
    const int row = rowAt(0);
    return row < 0 ? 0 : row + 1;
}

void F1Book::SetTopRow(int row) {
    if (row < 1 || row > LastRow())
        outOfRange(QStringLiteral("第 %1 行不在工作表内（共 %2 行）").arg(row).arg(LastRow()));
    updateGeometries();
    if (LastCol() > 0)
        scrollTo(m_model->index(row - 1, std::max(0, columnAt(0))), PositionAtTop);
}

int F1Book::ActiveRow() const {
    return currentIndex().isValid() ? currentIndex().row() + 1 : 0;
}

int F1Book::ActiveCol() const {
    return currentIndex().isValid() ? currentIndex().column() + 1 : 0;
}

int F1Book::SelRow() const {
    return selectionModel()->hasSelection() ? ActiveRow() : 0;
}

int F1Book::SelCol() const {
    return selectionModel()->hasSelection() ? ActiveCol() : 0;
}

QString F1Book::SelectionText() const {
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty())
        return QString();
    CellRange r{LastRow(), LastCol(), -1, -1};
    for (const QItemSelectionRange& s : selection) {
        r.firstRow = std::min(r.firstRow, s.top());
        r.firstCol = std::min(r.firstCol, s.left());
        r.lastRow = std::max(r.lastRow, s.bottom());
        r.lastCol = std::max(r.lastCol, s.right());
    }
    return r.toString();
}

QString F1Book::ColHeading(int col) const {
    checkColumn(col);
    return m_model->heading(col - 1);
}

void F1Book::SetColHeading(int col, const QString& text) {
    checkColumn(col);
    m_model->setHeading(col - 1, text);
}

int F1Book::ColWidthOf(int col) const {
    checkColumn(col);
    return m_model->sheet().columnWidth(col - 1);
}

void F1Book::SetColWidthOf(int col, int width) {
    checkColumn(col);
    if (width < 0 || width > 65535)
        outOfRange(QStringLiteral("列宽 %1 超出范围").arg(width));
    m_model->cells().setColumnWidth(col - 1, width);
    applyColumnWidths(col - 1);
}

QString F1Book::SheetName(int sheet) const {
    checkSheet(sheet);
    return m_model->sheet().name();
}

void F1Book::SetSheetName(int sheet, const QString& name) {
    checkSheet(sheet);
    m_model->cells().setName(name);
}

void F1Book::SetAllowCellEditing(bool on) {
    m_allowCellEditing = on;
    if (!on && m_editor && state() == EditingState)
        closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
}

bool F1Book::showColHeading() const {
    return !horizontalHeader()->isHidden();
}

void F1Book::setShowColHeading(bool on) {
    horizontalHeader()->setVisible(on);
}

int F1Book::pixelsFromWidth(int width) const {
    return int(std::lround(width * double(digitPixels(fontMetrics())) / 256.0));
}

int F1Book::widthFromPixels(int pixels) const {
    return std::clamp(int(std::lround(pixels * 256.0 / digitPixels(fontMetrics()))), 0, 65535);
}

void F1Book::applyColumnWidths(int fromCol) {
    m_applyingWidths = true;
    for (int c = std::max(0, fromCol); c < LastCol(); ++c)
        horizontalHeader()->resizeSection(c, pixelsFromWidth(m_model->sheet().columnWidth(c)));
    m_applyingWidths = false;
    placeDropDown();
}

void F1Book::columnResized(int col, int, int newSize) {
    placeDropDown();
    if (m_applyingWidths || col >= LastCol())
        return;
    // A width the user dragged to; kept unless it is the one already held.
    if (pixelsFromWidth(m_model->sheet().columnWidth(col)) != newSize)
        m_model->cells().setColumnWidth(col, widthFromPixels(newSize));
    if (QApplication::mouseButtons() == Qt::NoButton)
        emit ColWidthChange();
    else
        m_widthChangePending = true;
}

bool F1Book::eventFilter(QObject* object, QEvent* event) {
    if (object == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease &&
        m_widthChangePending) {
        m_widthChangePending = false;
        emit ColWidthChange();
    }
    return QTableView::eventFilter(object, event);
}

// ---- selection ----

void F1Book::SetActiveCell(int row, int col) {
    checkCell(row, col);
    SelectionBatch batch(this);
    commitOpenEditor();
    setCurrentIndex(m_model->index(row - 1, col - 1));
}

void F1Book::SetSelection(int row1, int col1, int row2, int col2) {
    checkCell(row1, col1);
    checkCell(row2, col2);
    SelectionBatch batch(this);
    commitOpenEditor();
    const QItemSelection range(m_model->index(std::min(row1, row2) - 1, std::min(col1, col2) - 1),
                               m_model->index(std::max(row1, row2) - 1, std::max(col1, col2) - 1));
    selectionModel()->setCurrentIndex(m_model->index(row1 - 1, col1 - 1),
                                      QItemSelectionModel::NoUpdate);
    selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
}

void F1Book::SelectRange(const QString& range) {
    const auto r = CellRange::parse(range);
    if (!r)
        throw GridError(QStringLiteral("区域“%1”写法不对").arg(range));
    // The text comes from templates and settings, so a range past the sheet
    // is a refused input like a malformed one.
    if (r->lastRow >= LastRow() || r->lastCol >= LastCol())
        throw GridError(QStringLiteral("区域“%1”超出工作表（%2 行 %3 列）")
                            .arg(range)
                            .arg(LastRow())
                            .arg(LastCol()));
    SetSelection(r->firstRow + 1, r->firstCol + 1, r->lastRow + 1, r->lastCol + 1);
}

void F1Book::SetBorder(int outline, int left, int right, int top, int bottom, int, unsigned,
                       unsigned, unsigned, unsigned, unsigned) {
    for (const int style : {outline, left, right, top, bottom}) {
        if (style < -1 || style > Sheet::MaxBorderStyle)
            throw GridError(QStringLiteral("边框线型 %1 不对").arg(style));
    }
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty())
        throw GridError(QStringLiteral("没有选定要加边框的区域"));
    Sheet& sheet = m_model->cells();
    const auto set = [](std::uint8_t& edge, int style) {
        if (style >= 0)
            edge = std::uint8_t(style);
    };
    for (const QItemSelectionRange& s : selection) {
        for (int r = s.top(); r <= s.bottom(); ++r) {
            for (int c = s.left(); c <= s.right(); ++c) {
                Sheet::Borders b = sheet.borders(r, c);
                set(b.left, c == s.left() && outline >= 0 ? outline : left);
                set(b.right, c == s.right() && outline >= 0 ? outline : right);
                set(b.top, r == s.top() && outline >= 0 ? outline : top);
                set(b.bottom, r == s.bottom() && outline >= 0 ? outline : bottom);
                sheet.setBorders(r, c, b);
            }
        }
    }
    scheduleRefresh();
}

void F1Book::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    selectionTouched();
}

void F1Book::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    selectionTouched();
}

// A change inside a batch waits for its end; one from elsewhere (a header
// click, the editor moving on) is told once the event is done.
void F1Book::selectionTouched() {
    m_selectionTouched = true;
    if (m_batchDepth > 0 || m_flushQueued)
        return;
    m_flushQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_flushQueued = false;
            if (m_selectionTouched)
                flushSelChange(false);
        },
        Qt::QueuedConnection);
}

F1Book::SelectionState F1Book::selectionState() const {
    return SelectionState{ActiveRow(), ActiveCol(), SelectionText()};
}

void F1Book::flushSelChange(bool force) {
    m_selectionTouched = false;
    const SelectionState now = selectionState();
    if (!force && now == m_lastSelection)
        return;
    m_lastSelection = now;
    emit SelChange();
}

// ---- editing ----

void F1Book::StartCellEdit(bool clearEntry, bool caretAtStart, bool selectAll) {
    openEditor(clearEntry, caretAtStart, selectAll, QString());
}

void F1Book::openEditor(bool clearEntry, bool caretAtStart, bool selectAll, const QString& typed) {
    if (!m_allowCellEditing || state() == EditingState || LastRow() == 0 || LastCol() == 0)
        return;
    QModelIndex at = currentIndex();
    if (!at.isValid()) {
        SelectionBatch batch(this);
        at = m_model->index(0, 0);
        setCurrentIndex(at);
    }
    m_editor = nullptr;
    edit(at);
    if (!m_editor)
        return;
    if (clearEntry || !typed.isEmpty())
        m_editor->setText(typed);
    if (selectAll)
        m_editor->selectAll();
    else if (caretAtStart)
        m_editor->setCursorPosition(0);
    else
        m_editor->end(false);
    m_editor->setFocus();
}

void F1Book::commitOpenEditor() {
    if (m_editor && state() == EditingState) {
        QLineEdit* editor = m_editor;
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void F1Book::editCommitted(const QModelIndex& index, const QString& text) {
    if (!index.isValid() || index.row() >= LastRow() || index.column() >= LastCol())
        return;
    QString entry = text;
    bool cancel = false;
    emit EndEdit(entry, cancel);
    if (cancel)
        return;
    m_model->cells().setEntry(index.row(), index.column(), entry);
    emit m_model->dataChanged(index, index);
}

void F1Book::clearSelectedCells() {
    Sheet& sheet = m_model->cells();
    for (const QModelIndex& i : selectionModel()->selectedIndexes())
        sheet.clearContents(i.row(), i.column());
    scheduleRefresh();
}

// ---- user input ----

void F1Book::keyPressEvent(QKeyEvent* event) {
    SelectionBatch batch(this);
    const int key = event->key();
    if (!m_list->isHidden() && (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                                key == Qt::Key_PageDown || key == Qt::Key_Return ||
                                key == Qt::Key_Enter || key == Qt::Key_Escape)) {
        QApplication::sendEvent(m_list, event);
        return;
    }
    const auto enterMovesOn = [this] {
        const QModelIndex at = currentIndex();
        if (m_enterMovesDown && at.isValid() && at.row() + 1 < LastRow())
            setCurrentIndex(m_model->index(at.row() + 1, at.column()));
    };
    // Enter in the editor has been told already; it commits there, and moves
    // on here as Enter does.
    if (isEditing()) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            enterMovesOn();
        return;
    }
    int code = CellDelegate::keyCode(event);
    if (code != 0) {
        emit KeyPress(code);
        if (code == 0)
            return;
    }
    if (code == 13) {
        enterMovesOn();
        return;
    }
    if (code >= 32) {
        if (m_allowCellEditing && m_allowEditB)
            openEditor(true, false, false,
                       QString::fromUcs4(std::array<char32_t, 1>{char32_t(code)}.data(), 1));
        return;
    }
    if (key == Qt::Key_F2) {
        openEditor(false, false, false, QString());
        return;
    }
    if (key == Qt::Key_Delete) {
        if (m_allowCellEditing && m_allowEditC)
            clearSelectedCells();
        return;
    }
    if (code == 27 || code == 8)
        return;
    QTableView::keyPressEvent(event);
}

void F1Book::mousePressEvent(QMouseEvent* event) {
    SelectionBatch batch(this);
    const QPoint at = event->position().toPoint();
    emit MouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()), at.x(), at.y());
    QTableView::mousePressEvent(event);
}

void F1Book::mouseReleaseEvent(QMouseEvent* event) {
    SelectionBatch batch(this);
    QTableView::mouseReleaseEvent(event);
}

void F1Book::mouseDoubleClickEvent(QMouseEvent* event) {
    SelectionBatch batch(this);
    QTableView::mouseDoubleClickEvent(event);
}

// ---- files ----

void F1Book::ReadFile(const QString& path) {
    ReadSheet(WorkbookReader::read(path));
}

void F1Book::ReadSheet(Sheet&& sheet) {
    SelectionBatch batch(this);
    if (m_editor && state() == EditingState)
        closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
    m_model->replace(std::move(sheet));
    m_selectionTouched = false;
    m_lastSelection = selectionState();
}

void F1Book::WriteFile(const QString& path, int) {
    WorkbookWriter::save(m_model->sheet(), path);
}

// ---- drop-down object ----

int F1Book::ObjItemCount(int obj) const {
    checkObject(obj);
    return m_list->count();
}

void F1Book::ObjAddItem(int obj, const QString& text) {
    checkObject(obj);
    m_list->addItem(text);
}

void F1Book::ObjDeleteItem(int obj, int index) {
    checkObject(obj);
    checkListIndex(index, 0, m_list->count());
    delete m_list->takeItem(index);
}

void F1Book::ObjSetPos(int obj, float x1, float y1, float x2, float y2) {
    checkObject(obj);
    for (const float v : {x1, y1, x2, y2}) {
        if (!std::isfinite(v) || v < 0 || v > float(Sheet::MaxRows))
            outOfRange(QStringLiteral("下拉对象位置不对"));
    }
    m_list->setSheetRect(x1, y1, x2, y2);
    placeDropDown();
}

QString F1Book::ObjItemText(int obj, int index) const {
    checkObject(obj);
    checkListIndex(index, 0, m_list->count());
    return m_list->item(index)->text();
}

int F1Book::ObjValue(int obj) const {
    checkObject(obj);
    return m_list->currentRow();
}

void F1Book::SetObjValue(int obj, int index) {
    checkObject(obj);
    checkListIndex(index, -1, m_list->count());
    m_list->setCurrentRow(index);
}

bool F1Book::ObjVisible(int obj) const {
    checkObject(obj);
    return !m_list->isHidden();
}

void F1Book::SetObjVisible(int obj, bool visible) {
    checkObject(obj);
    m_list->setVisible(visible);
    if (visible) {
        placeDropDown();
        m_list->raise();
    }
}

void F1Book::dropDownPicked(int index) {
    m_list->setCurrentRow(index);
    setFocus();
    flushSelChange(true);
}

int F1Book::edgeX(float x) const {
    const int cols = LastCol();
    const int whole = int(std::floor(x));
    const float part = x - float(whole);
    const auto position = [&](int c) {
        if (c < cols)
            return columnViewportPosition(c);
        const int end = cols > 0 ? columnViewportPosition(cols - 1) + columnWidth(cols - 1)
                                 : -horizontalOffset();
        return end + (c - cols) * horizontalHeader()->defaultSectionSize();
    };
    const int width = whole < cols ? columnWidth(whole) : horizontalHeader()->defaultSectionSize();
    return position(whole) + int(std::lround(part * float(width)));
}

int F1Book::edgeY(float y) const {
    const int rows = LastRow();
    const int whole = int(std::floor(y));
    const float part = y - float(whole);
    const auto position = [&](int r) {
        if (r < rows)
            return rowViewportPosition(r);
        const int end =
            rows > 0 ? rowViewportPosition(rows - 1) + rowHeight(rows - 1) : -verticalOffset();
        return end + (r - rows) * verticalHeader()->defaultSectionSize();
    };
    const int height = whole < rows ? rowHeight(whole) : verticalHeader()->defaultSectionSize();
    return position(whole) + int(std::lround(part * float(height)));
}

void F1Book::placeDropDown() {
    if (m_list->isHidden())
        return;
    const int x1 = edgeX(m_list->left());
    const int x2 = edgeX(m_list->right());
    const int y1 = edgeY(m_list->top());
    const int y2 = edgeY(m_list->bottom());
    m_list->setGeometry(x1, y1, std::max(x2 - x1, 24), std::max(y2 - y1, 24));
}

void F1Book::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    placeDropDown();
}

} // namespace quill
