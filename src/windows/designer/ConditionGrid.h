#pragma once

#include "foundation/Mdlx.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quill {

class F1Book;

// The designer's condition grid: one condition per row (connective, item,
// operator, value), each cell filled from a drop-down list built for it.
// Organisation values are chained row by row: a team is named within the
// department one row above, a group within the team one row above and the
// department two rows above. Rows above the first read as empty.
class ConditionGrid {
public:
    static constexpr int Rows = Mdlx::MaxConditions;
    static constexpr int Cols = 4;
    static constexpr int DropDown = 1;
    static const QString SheetTitle; // "查询条件"

    // What a cell's drop-down offers: its entries (after the leading blank
    // entry), or no list, with a message for the status bar or silently.
    struct Offer {
        std::optional<QStringList> entries;
        std::optional<QString> message;
    };

    explicit ConditionGrid(F1Book& book);

    // Start-up: 30 rows by 4 columns under their headings, list hidden.
    void setUp();

    Offer offerFor(int row, int col) const;
    // A click on a cell shows its list, the entry equal to the cell's text
    // chosen; returns the status bar text, if any. Headings do nothing.
    std::optional<QString> Click(int row, int col);
    // The entry chosen in the list goes into the cell last clicked; the list
    // hides either way.
    void SelChange();
    // Every typed entry is kept as a text, numbers and dates included.
    static void EndEdit(QString& editString);

    // Reads the grid into the edited conditions. Accepted rows are stored
    // one after another from row 0, so EditedCount covers all of them;
    // organisation names become codes.
    void DRCX() const;
    // The rows DRCX accepts, as the grid shows them (captions, unit names),
    // one after another from row 0: what a stored report keeps.
    struct Shown {
        Mdlx::ConditionTable rows{};
        std::int16_t count = 0;
    };
    Shown shownConditions() const;
    // Shows conditions in the grid, all 30 rows, codes as names.
    void showConditions(const Mdlx::ConditionTable& conditions);
    // Shows the first `count` condition rows of a stored report as stored,
    // field names as captions.
    void showStored(const Mdlx::ConditionTable& rows, int count);
    // Empties all cells.
    void clear();

    // A cell's text; "" for rows above the first.
    QString text(int row, int col) const;
    // Puts a text into a cell exactly as given ("" empties it).
    void putText(int row, int col, const QString& text);

    int clickedRow() const { return m_row; }
    int clickedCol() const { return m_col; }

private:
    // Grid row g (1-based) holds a complete condition with a connective
    // where one is needed.
    bool accepted(int g) const;
    std::optional<QStringList> itemCaptions() const;
    Offer valueOffer(int row) const;

    F1Book& m_book;
    int m_row = 0;
    int m_col = 0;
};

} // namespace quill
