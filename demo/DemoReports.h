#pragma once

#include "demo/DemoReport.h"

#include <QList>

namespace quill {

// The saved reports of the demo workspace: plain with sort items, grouped with
// sum items, with stored conditions (department and team among them), with a
// workbook template, and two reports of the same name on different tables.
class DemoReports {
public:
    static const QList<DemoReport>& all();
};

} // namespace quill
