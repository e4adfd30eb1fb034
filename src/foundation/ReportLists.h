#pragma once

#include "foundation/ReportList.h"

namespace quill {

// The four item lists of a saved report, read from its display rows.
struct ReportLists {
    // Display rows read at most; the designer never stores more.
    static constexpr int MaxRows = 100;

    ReportList Display; // proname: the select list
    ReportList Sort;    // proval: the order when nothing is grouped
    ReportList Sum;     // proval1: the totals of the result sheet
    ReportList Group;   // proval2: the group and order parts

    void clear() {
        Display.clear();
        Sort.clear();
        Sum.clear();
        Group.clear();
    }
};

} // namespace quill
