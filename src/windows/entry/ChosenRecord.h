#pragma once

#include "platform/db/Recordset.h"

#include <QString>

#include <optional>

namespace quill {

// The record the user chose on the main window's result sheet, handed to
// the entry window: the query it was read from and where the record comes
// from. The entry window finds that very record again in its own recordset,
// whatever its position there now; a record that another user changed or
// deleted meanwhile is not found. A read-only result hands over no identity:
// the entry window then counts positions.
class ChosenRecord {
public:
    static void choose(const QString& query, std::optional<Recordset::RowIdentity> identity);
    static void clear();
    static bool isChosen(const QString& query);
    // The chosen record's identity when a record of this query is chosen.
    static std::optional<Recordset::RowIdentity> identityFor(const QString& query);
};

} // namespace quill
