#pragma once

#include <QString>
#include <QStringList>

namespace quill {

// The select, from, group and order parts of the current query, composed
// from a display, a sort and a group list of column names of the current
// table, for the designer's query and a saved report's run alike. Items the
// table lacks are left out, without leaving a stray "," behind.
//
// Without group items the select list is the display items as they are and
// the sort items order the rows. With group items the rows are grouped and
// ordered by them (the sort items are not used), and every display item that
// is not a group item is aggregated under the name "sum" + column: decimal
// and whole-number items are summed, any other item is counted, so that the
// query is valid on every engine whatever the order of the display list.
class QueryComposer {
public:
    // Sets SqlSelect, SqlFrom, SqlGroup and SqlOrder, then QuerySql from all
    // five parts (SqlWhere as it stands).
    static void compose(const QStringList& display, const QStringList& sort,
                        const QStringList& group);
    // The table's own records: SqlSelect "select * ", SqlFrom "from " +
    // TableName + " ", no group or order part; then QuerySql as above.
    static void composeTable();
    // SumCount and SumFields from the sum items in list order, for the
    // result sheet's totals; at most the first 100 are kept.
    static void takeSums(const QStringList& sums);
};

} // namespace quill
