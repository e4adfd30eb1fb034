#pragma once

namespace quill {

struct ReportLists;

// Turns a report's item lists into the suite's select, from, group and order
// parts for the current table. Items the table lacks are left out, without
// leaving a stray "," behind; when something is grouped, the decimal and
// whole-number display items are summed.
class ReportQuery {
public:
    static void Compose(const ReportLists& lists);
};

} // namespace quill
