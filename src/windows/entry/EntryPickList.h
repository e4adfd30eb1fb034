#pragma once

#include <QString>

namespace quill {

class F1Book;
class RecordEntry;

// The drop-down list of a value cell: the groups of the team and department
// in the two rows above a group row, the teams of the department in the row
// above a team row, or the pick list named by the row's caption; a blank
// first entry, then the names in their order.
class EntryPickList {
public:
    static constexpr int DropDown = 1;

    // Empties the drop-down list.
    static void clear(F1Book& grid);
    // Shows the list of row `row` over column `col`; the status text when
    // the rows it depends on are empty, else "".
    static QString show(RecordEntry& entry, int row, int col);
};

} // namespace quill
