#pragma once

#include <QString>

#include <optional>

namespace quill {

class ItemLists;

// The designer's own query: the item lists and the edited conditions made
// into the current query, which the main window runs once the designer has
// closed. Each step returns the text for the status bar when it refuses.
class AdHocQuery {
public:
    static constexpr int MaxDisplayItems = 100;

    // A display list that cannot be queried: empty, or longer than 100.
    static std::optional<QString> refuseDisplay(const ItemLists& lists);
    // Makes the edited conditions active, unless a date or time value is
    // not a date; then nothing changes.
    static std::optional<QString> commitConditions();
    // The where part from the range and the active conditions, the select,
    // from, group and order parts from the lists (captions become columns),
    // QuerySql and the sum items.
    static void compose(const ItemLists& lists);
};

} // namespace quill
