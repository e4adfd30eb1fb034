#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace quill {

class Recordset;

// How one field of the query is shown on the result sheet. Resolved once per
// render from the dictionary and the read-only list, so that the cell loop
// asks SuiteLib nothing but organisation names.
struct SheetColumn {
    enum class Kind : std::uint8_t { Text, Decimal, Whole, Date, Time, Other };

    int field = 0;     // index in the recordset
    QString fieldName; // as the query names it
    QString caption;   // the dictionary caption, the grid heading
    Kind kind = Kind::Other;
    QString format;     // display format of D, T and Y columns
    long orgLevel = 0;  // 3 department, 2 team, 1 group, 0 other
    bool blank = false; // in ReadOnlyColumns1: every record cell is ""
    bool keep = false;  // an "FM0" field: the loaded sheet's cells stay

    // One entry per field of the open recordset, in field order.
    static std::vector<SheetColumn> resolve(const Recordset& data);
    // The caption a field is shown under. A grouped report names its sums
    // "sum" + field; such a field takes its own field's caption.
    static QString captionOf(const QString& fieldName);
};

} // namespace quill
