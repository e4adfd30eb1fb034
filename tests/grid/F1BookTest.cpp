#include "platform/grid/F1Book.h"
#include "platform/grid/DropDownList.h"
#include "platform/grid/GridError.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace quill;

namespace {

class F1BookTest : public ::testing::Test {
protected:
    void SetUp() override {
        book.resize(900, 600);
        book.SetLastCol(5);
        book.SetLastRow(30);
        book.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&book));
        connect();
    }

    void connect() {
        QObject::connect(&book, &F1Book::SelChange, [this] { ++selChanges; });
        QObject::connect(&book, &F1Book::Click, [this](int r, int c) { clicks.push_back({r, c}); });
        QObject::connect(&book, &F1Book::DblClick, [this](int r, int c) {
            doubleClicks.push_back({r, c});
        });
    }

    QPoint cellCenter(int row, int col) const {
        return book.visualRect(book.model()->index(row - 1, col - 1)).center();
    }

    void clickCell(int row, int col, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(book.viewport(), button, {}, cellCenter(row, col));
    }

    // The open editor; closed ones linger until deleted.
    QLineEdit* editor() const {
        for (QLineEdit* e : book.viewport()->findChildren<QLineEdit*>()) {
            if (e->isVisible())
                return e;
        }
        return nullptr;
    }

    F1Book book;
    int selChanges = 0;
    std::vector<std::pair<int, int>> clicks;
    std::vector<std::pair<int, int>> doubleClicks;
};

} // namespace

TEST_F(F1BookTest, CellsHoldEntriesAndShowTexts) {
    book.SetCellText(1, 1, "'007");
    book.SetCellText(1, 2, "=B1*2");
    book.SetCellText(1, 3, "3.50");
    EXPECT_EQ(book.CellText(1, 1), "007");
    EXPECT_EQ(book.CellEntry(1, 1), "'007");
    EXPECT_EQ(book.CellEntry(1, 2), "=B1*2");
    EXPECT_EQ(book.CellText(1, 3), "3.50");
    EXPECT_EQ(book.CellEntry(2, 2), QString());
    EXPECT_EQ(book.model()->data(book.model()->index(0, 0)).toString(), "007");

    // Reading past the used extent gives ""; writing there grows it.
    EXPECT_EQ(book.CellText(31, 9), QString());
    book.SetCellText(31, 6, "x");
    EXPECT_EQ(book.LastRow(), 31);
    EXPECT_EQ(book.LastCol(), 6);
    EXPECT_EQ(book.model()->rowCount(), 31);
    book.SetCellText(31, 6, QString());
    EXPECT_EQ(book.CellEntry(31, 6), QString());

    EXPECT_THROW(book.CellText(0, 1), std::out_of_range);
    EXPECT_THROW(book.SetCellText(1, -1, "x"), std::out_of_range);
    EXPECT_THROW(book.SetCellText(Sheet::MaxRows + 1, 1, "x"), std::out_of_range);
    EXPECT_THROW(book.SetActiveCell(32, 1), std::out_of_range);
    EXPECT_THROW(book.ColWidthOf(7), std::out_of_range);
    EXPECT_THROW(book.SetLastRow(-1), std::out_of_range);
    EXPECT_THROW(book.SetCellText(Sheet::MaxRows, Sheet::MaxCols, "x"),
                 std::out_of_range); // too many cells to hold
    EXPECT_EQ(book.model()->rowCount(), 31);
    EXPECT_THROW(book.SheetName(2), std::out_of_range);
    EXPECT_THROW(book.ObjItemCount(2), std::out_of_range);

    book.SetLastRow(1);
    EXPECT_EQ(book.model()->rowCount(), 1);
    EXPECT_EQ(book.CellText(1, 1), "007");
}

TEST_F(F1BookTest, ClicksTellRowAndColumnHeadingsAreZero) {
    clickCell(3, 2);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], std::make_pair(3, 2));
    EXPECT_EQ(selChanges, 1);
    EXPECT_EQ(book.ActiveRow(), 3);
    EXPECT_EQ(book.ActiveCol(), 2);
    EXPECT_EQ(book.SelRow(), 3);
    EXPECT_EQ(book.SelCol(), 2);
    EXPECT_EQ(book.SelectionText(), "B3");

    clickCell(3, 2); // the same cell again: no new selection
    EXPECT_EQ(selChanges, 1);

    QHeaderView* top = book.horizontalHeader();
    QTest::mouseClick(top->viewport(), Qt::LeftButton, {},
                      QPoint(top->sectionViewportPosition(3) + 5, top->height() / 2));
    EXPECT_EQ(clicks.back(), std::make_pair(0, 4));
    QCoreApplication::processEvents(); // the column selected: told once
    EXPECT_EQ(selChanges, 2);
    EXPECT_EQ(book.SelectionText(), "D1:D30");
    QHeaderView* side = book.verticalHeader();
    QTest::mouseClick(
        side->viewport(), Qt::LeftButton, {},
        QPoint(side->width() / 2, side->sectionViewportPosition(4) + side->sectionSize(4) / 2));
    EXPECT_EQ(clicks.back(), std::make_pair(5, 0));

    clickCell(4, 5); // a double click comes after a press on the same cell
    QTest::mouseDClick(book.viewport(), Qt::LeftButton, {}, cellCenter(4, 5));
    ASSERT_FALSE(doubleClicks.empty());
    EXPECT_EQ(doubleClicks.back(), std::make_pair(4, 5));
}

TEST_F(F1BookTest, MouseDownGivesButtonCode) {
    std::vector<int> buttons;
    QPoint at;
    QObject::connect(&book, &F1Book::MouseDown, [&](int button, int shift, int x, int y) {
        buttons.push_back(button * 10 + shift);
        at = QPoint(x, y);
    });
    QTest::mouseClick(book.viewport(), Qt::RightButton, {}, cellCenter(2, 2));
    QTest::mouseClick(book.viewport(), Qt::LeftButton, Qt::ShiftModifier, cellCenter(2, 3));
    EXPECT_EQ(buttons, (std::vector<int>{20, 11}));
    EXPECT_EQ(at, cellCenter(2, 3));
}

TEST_F(F1BookTest, ProgramSelectionRaisesOneSelChange) {
    book.SetActiveCell(4, 2);
    EXPECT_EQ(selChanges, 1);
    EXPECT_EQ(book.SelRow(), 4);
    book.SetSelection(5, 1, 7, 3);
    EXPECT_EQ(selChanges, 2);
    EXPECT_EQ(book.SelectionText(), "A5:C7");
    EXPECT_EQ(book.ActiveRow(), 5);
    book.SetSelection(5, 1, 7, 3);
    EXPECT_EQ(selChanges, 2);

    book.SelectRange("$A$5:$E$20");
    EXPECT_EQ(book.SelectionText(), "A5:E20");
    EXPECT_EQ(selChanges, 3);
    for (const char* bad : {"A5:", "$$A$5", "A5-E20", ""}) {
        EXPECT_THROW(book.SelectRange(QString::fromLatin1(bad)), GridError) << bad;
    }
    // A range past the sheet is refused like a malformed one.
    for (const char* outside : {"A5:F20", "A31", "XFD1048576"})
        EXPECT_THROW(book.SelectRange(QString::fromLatin1(outside)), GridError) << outside;
    EXPECT_EQ(book.SelectionText(), "A5:E20");

    // An error raised by the handler reaches the caller.
    QObject::connect(&book, &F1Book::SelChange, [] { throw std::runtime_error("handler"); });
    EXPECT_THROW(book.SetActiveCell(1, 1), std::runtime_error);
    EXPECT_EQ(book.ActiveRow(), 1);
}

TEST_F(F1BookTest, SetBorderOutlinesTheSelection) {
    book.SetSelection(2, 2, 2, 4);
    book.SetBorder(-1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0); // a grid of thin lines
    EXPECT_EQ(book.cellBorders(2, 3), (Sheet::Borders{1, 1, 1, 1}));

    book.SelectRange("$A$2:$E$4");
    book.SetBorder(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0);
    EXPECT_EQ(book.cellBorders(2, 1), (Sheet::Borders{1, 0, 1, 0}));
    EXPECT_EQ(book.cellBorders(2, 3), (Sheet::Borders{0, 0, 1, 0})); // inner lines cleared
    EXPECT_EQ(book.cellBorders(3, 3), (Sheet::Borders{}));
    EXPECT_EQ(book.cellBorders(4, 5), (Sheet::Borders{0, 1, 0, 1}));
    EXPECT_EQ(book.cellBorders(1, 1), (Sheet::Borders{}));
    EXPECT_EQ(book.cellBorders(5, 5), (Sheet::Borders{}));
    EXPECT_THROW(book.SetBorder(14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0), GridError);
}

TEST_F(F1BookTest, BordersAreDrawnOnTheirEdgesOnly) {
    book.SetSelection(3, 3, 3, 3);
    book.SetBorder(-1, 5, 0, 5, 0, 0, 0, 0, 0, 0, 0); // thick left and top
    QApplication::processEvents();
    const QImage shot = book.viewport()->grab().toImage();
    const auto dark = [&](int x, int y) { return qGray(shot.pixel(x, y)) < 80; };
    const QRect bordered = book.visualRect(book.model()->index(2, 2));
    const QRect plain = book.visualRect(book.model()->index(2, 1));
    EXPECT_TRUE(dark(bordered.center().x(), bordered.top() + 1));
    EXPECT_TRUE(dark(bordered.left() + 1, bordered.center().y()));
    EXPECT_FALSE(dark(bordered.center().x(), bordered.bottom() - 1));
    EXPECT_FALSE(dark(bordered.right() - 1, bordered.center().y()));
    EXPECT_FALSE(dark(plain.center().x(), plain.top() + 1));
}

TEST_F(F1BookTest, EndEditHandsTheTypedTextByReference) {
    std::vector<QString> typed;
    QObject::connect(&book, &F1Book::EndEdit, [&](QString& text, bool&) {
        typed.push_back(text);
        if (!text.startsWith(u'\''))
            text.prepend(u'\'');
    });
    book.SetActiveCell(2, 3);
    book.StartCellEdit(false, false, false);
    ASSERT_NE(editor(), nullptr);
    QTest::keyClicks(editor(), "007");
    QTest::keyClick(editor(), Qt::Key_Return);
    ASSERT_EQ(typed, (std::vector<QString>{"007"}));
    EXPECT_EQ(book.CellEntry(2, 3), "'007");
    EXPECT_EQ(book.CellText(2, 3), "007");

    // Enter moved on; back on the cell, the editor opens on the entry and
    // Escape keeps the cell as it was.
    EXPECT_EQ(book.ActiveRow(), 3);
    book.SetActiveCell(2, 3);
    book.StartCellEdit(false, false, false);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->text(), "'007");
    QTest::keyClicks(editor(), "9");
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_EQ(typed.size(), 1u);
    EXPECT_EQ(book.CellEntry(2, 3), "'007");

    // SetActiveCell commits an open edit.
    book.StartCellEdit(true, false, false);
    QTest::keyClicks(editor(), "12");
    book.SetActiveCell(1, 1);
    EXPECT_EQ(typed.back(), "12");
    EXPECT_EQ(book.CellEntry(2, 3), "'12");
}

TEST_F(F1BookTest, EndEditCanCancelAndEditingCanBeOff) {
    QObject::connect(&book, &F1Book::EndEdit, [](QString&, bool& cancel) { cancel = true; });
    book.SetCellText(1, 1, "keep");
    book.SetActiveCell(1, 1);
    book.StartCellEdit(true, false, false);
    QTest::keyClicks(editor(), "lost");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(book.CellText(1, 1), "keep");

    book.SetAllowCellEditing(false);
    book.StartCellEdit(false, false, false);
    EXPECT_FALSE(book.isEditing());
    QTest::keyClicks(&book, "x");
    EXPECT_FALSE(book.isEditing());
    book.setFocus();
    QTest::keyClick(&book, Qt::Key_Delete);
    EXPECT_EQ(book.CellText(1, 1), "keep");

    book.SetAllowCellEditing(true);
    book.SetActiveCell(1, 1);
    QTest::keyClick(&book, Qt::Key_Delete);
    EXPECT_EQ(book.CellText(1, 1), QString());
}

TEST_F(F1BookTest, KeyPressHandsTheCodeByReference) {
    std::vector<int> codes;
    int replaceWith = -1;
    QObject::connect(&book, &F1Book::KeyPress, [&](int& key) {
        codes.push_back(key);
        if (replaceWith >= 0)
            key = replaceWith;
    });
    book.SetActiveCell(2, 2);
    book.setFocus();

    QTest::keyClick(&book, Qt::Key_Return);
    EXPECT_EQ(codes.back(), 13);
    EXPECT_EQ(book.ActiveRow(), 3); // Enter moves down while switch 1 is on

    replaceWith = 0; // dropped: the cell stays and no editor opens
    QTest::keyClick(&book, Qt::Key_Return);
    EXPECT_EQ(book.ActiveRow(), 3);
    QTest::keyClicks(&book, "5");
    EXPECT_EQ(codes.back(), '5');
    EXPECT_FALSE(book.isEditing());

    replaceWith = '7'; // changed: the new character is typed
    QTest::keyClicks(&book, "5");
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->text(), "7");
    QTest::keyClicks(editor(), "1");
    EXPECT_EQ(codes.back(), '1');
    EXPECT_EQ(editor()->text(), "77");
    replaceWith = -1;
    const std::size_t told = codes.size();
    QTest::keyClick(editor(), Qt::Key_Return); // commits and moves down, told once
    EXPECT_EQ(codes.size(), told + 1);
    EXPECT_EQ(codes.back(), 13);
    EXPECT_EQ(book.CellText(3, 2), "77");
    EXPECT_EQ(book.ActiveRow(), 4);

    book.setEnterMovesDown(false);
    book.setFocus();
    QTest::keyClick(&book, Qt::Key_Return);
    EXPECT_EQ(book.ActiveRow(), 4);
}

TEST_F(F1BookTest, ColumnWidthsInCharacterUnits) {
    int changes = 0;
    QObject::connect(&book, &F1Book::ColWidthChange, [&] { ++changes; });
    const int digit = book.fontMetrics().horizontalAdvance(QLatin1Char('0'));
    book.SetColWidthOf(2, 3072);
    EXPECT_EQ(book.ColWidthOf(2), 3072);
    EXPECT_EQ(book.columnWidth(1), 12 * digit);
    EXPECT_EQ(changes, 0);

    book.horizontalHeader()->resizeSection(2, 20 * digit); // as the user drags it
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(book.ColWidthOf(3), 20 * 256);
    EXPECT_THROW(book.SetColWidthOf(1, 70000), std::out_of_range);

    // Dragging a column edge tells once, when the button is let go.
    QHeaderView* top = book.horizontalHeader();
    const int edge = top->sectionViewportPosition(0) + top->sectionSize(0) - 1;
    const int y = top->height() / 2;
    QTest::mousePress(top->viewport(), Qt::LeftButton, {}, QPoint(edge, y));
    QTest::mouseMove(top->viewport(), QPoint(edge + 10, y));
    QTest::mouseMove(top->viewport(), QPoint(edge + 20, y));
    EXPECT_EQ(changes, 1);
    QTest::mouseRelease(top->viewport(), Qt::LeftButton, {}, QPoint(edge + 20, y));
    EXPECT_EQ(changes, 2);
    EXPECT_GT(book.ColWidthOf(1), Sheet::DefaultColumnWidth);

    book.SetColHeading(2, "金额");
    EXPECT_EQ(book.ColHeading(2), "金额");
    EXPECT_EQ(book.model()->headerData(1, Qt::Horizontal).toString(), "金额");
    EXPECT_EQ(book.model()->headerData(2, Qt::Horizontal).toString(), "C");
    book.setShowColHeading(false);
    EXPECT_FALSE(book.showColHeading());
}

TEST_F(F1BookTest, TopRowScrolls) {
    book.SetLastRow(500);
    book.SetTopRow(200);
    EXPECT_EQ(book.TopRow(), 200);
    book.SetTopRow(1);
    EXPECT_EQ(book.TopRow(), 1);
}

// The drop-down list as the condition grid uses it: placed over the clicked
// cell and the rows below it, filled, picked from, hidden on the next
// selection change by the handler.
TEST_F(F1BookTest, DropDownObjectPlacesFillsPicksAndHides) {
    auto* list = book.viewport()->findChild<DropDownList*>();
    ASSERT_NE(list, nullptr);
    int stored = 0;
    QObject::connect(&book, &F1Book::Click, [&](int row, int col) {
        stored = row;
        while (book.ObjItemCount(1) > 0)
            book.ObjDeleteItem(1, 0);
        book.ObjSetPos(1, float(col - 1), float(book.ActiveRow() - 1), float(col),
                       float(book.ActiveRow() + 5));
        book.SetObjVisible(1, true);
        for (const char* item : {" ", "=", ">", "<"})
            book.ObjAddItem(1, QString::fromUtf8(item));
    });
    QObject::connect(&book, &F1Book::SelChange, [&] {
        if (book.ObjVisible(1) && book.ObjValue(1) >= 0)
            book.SetCellText(stored, 3, book.ObjItemText(1, book.ObjValue(1)));
        book.SetObjVisible(1, false);
    });

    clickCell(4, 3);
    EXPECT_TRUE(book.ObjVisible(1));
    EXPECT_EQ(book.ObjItemCount(1), 4);
    EXPECT_EQ(book.ObjItemText(1, 2), ">");
    EXPECT_EQ(book.ObjValue(1), -1);
    const QRect cell = book.visualRect(book.model()->index(3, 2));
    EXPECT_EQ(list->geometry().topLeft(), cell.topLeft());
    EXPECT_EQ(list->geometry().width(), book.columnWidth(2));
    EXPECT_EQ(list->geometry().bottom() + 1, book.rowViewportPosition(8) + book.rowHeight(8));

    // Picking with the mouse writes the entry and hides the list.
    const QRect item = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_EQ(book.CellText(4, 3), ">");
    EXPECT_FALSE(book.ObjVisible(1));

    // With the keyboard: Down moves in the list, Enter picks.
    clickCell(6, 3);
    ASSERT_TRUE(book.ObjVisible(1));
    book.setFocus();
    QTest::keyClick(&book, Qt::Key_Down);
    QTest::keyClick(&book, Qt::Key_Down);
    EXPECT_EQ(book.ObjValue(1), 1);
    EXPECT_EQ(book.ActiveRow(), 6); // the grid's cell stays
    QTest::keyClick(&book, Qt::Key_Return);
    EXPECT_EQ(book.CellText(6, 3), "=");
    EXPECT_FALSE(book.ObjVisible(1));

    // A chosen entry is written when the user moves on; Escape just hides.
    clickCell(8, 3);
    book.SetObjValue(1, 3);
    clickCell(9, 1);
    EXPECT_EQ(book.CellText(8, 3), "<");
    clickCell(10, 3);
    book.setFocus();
    QTest::keyClick(&book, Qt::Key_Escape);
    EXPECT_FALSE(book.ObjVisible(1));
    EXPECT_EQ(book.CellText(10, 3), QString());
    EXPECT_THROW(book.ObjDeleteItem(1, 9), std::out_of_range);
    EXPECT_THROW(book.ObjItemText(1, -1), std::out_of_range);
}

TEST_F(F1BookTest, FilesRoundTripThroughTheWidget) {
    QTemporaryDir dir;
    book.SetCellText(1, 1, "姓名");
    book.SetCellText(2, 1, "'007");
    book.SetCellText(2, 2, "12.50");
    book.SetCellText(2, 3, "007");
    book.setCellBold(1, 1, true);
    book.SelectRange("$A$1:$C$2");
    book.SetBorder(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0);
    book.SetColWidthOf(2, 3072);
    book.SetSheetName(1, "查询结果");
    const QString file = dir.filePath("查询结果 Tmp.xls");
    book.WriteFile(file, 4);

    F1Book other;
    other.SetCellText(1, 1, "old");
    other.ReadFile(file);
    EXPECT_EQ(other.LastRow(), 30);
    EXPECT_EQ(other.LastCol(), 5);
    EXPECT_EQ(other.SheetName(1), "查询结果");
    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 4; ++c) {
            EXPECT_EQ(other.CellText(r, c), book.CellText(r, c)) << r << "," << c;
            EXPECT_EQ(other.cellBold(r, c), book.cellBold(r, c));
            EXPECT_EQ(other.cellBorders(r, c), book.cellBorders(r, c));
        }
    }
    EXPECT_EQ(other.CellEntry(2, 2), "12.50");
    EXPECT_EQ(other.ColWidthOf(2), 3072);

    // A file that cannot be read leaves the sheet as it was.
    EXPECT_THROW(other.ReadFile(dir.filePath("none.vts")), GridError);
    EXPECT_EQ(other.CellText(1, 1), "姓名");
    EXPECT_EQ(other.LastRow(), 30);
}
