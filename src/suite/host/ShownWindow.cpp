#include "ShownWindow.h"

#include <vector>

namespace quill {

namespace {

const std::vector<ShownWindow>& table() {
    static const std::vector<ShownWindow> rows = {
        {QStringLiteral("main"), {}, QStringLiteral("frmRSGL")},
        // The main window showing the title's first report.
        {QStringLiteral("report"),
         {QStringLiteral("ListView1_ItemClick:2")},
         QStringLiteral("frmRSGL")},
        {QStringLiteral("about"), {QStringLiteral("MN11")}, QStringLiteral("frmAbout")},
        {QStringLiteral("designer"), {QStringLiteral("MN01")}, QStringLiteral("frmRSCX")},
        {QStringLiteral("setup"),
         {QStringLiteral("MN11"), QStringLiteral("Command2")},
         QStringLiteral("frmYBXZ")},
        // The period dialog opens for a table with zhtime, the date dialog for
        // one with zhdate (--title 考勤管理).
        {QStringLiteral("period"),
         {QStringLiteral("MN01"), QStringLiteral("Command2")},
         QStringLiteral("frmTIME")},
        {QStringLiteral("date"),
         {QStringLiteral("MN01"), QStringLiteral("Command2")},
         QStringLiteral("frmDATE")},
        // Modify mode on the first record of the title's first report.
        {QStringLiteral("entry"),
         {QStringLiteral("ListView1_ItemClick:2"), QStringLiteral("F1Book1_Click:1,1"),
          QStringLiteral("MN03")},
         QStringLiteral("frmRSLR")},
        {QStringLiteral("preview"),
         {QStringLiteral("ListView1_ItemClick:2"), QStringLiteral("MN07")},
         QStringLiteral("PrintPreview")},
        // The chart of a grouped report: the title's second report (工资管理's
        // 部门汇总), whose query the chart command is offered for.
        {QStringLiteral("chart"),
         {QStringLiteral("ListView1_ItemClick:3"), QStringLiteral("MN10")},
         QStringLiteral("ChartWindow")},
    };
    return rows;
}

} // namespace

const ShownWindow& ShownWindow::main() {
    return table().front();
}

const ShownWindow* ShownWindow::find(const QString& name) {
    for (const ShownWindow& row : table()) {
        if (row.name == name)
            return &row;
    }
    return nullptr;
}

QStringList ShownWindow::names() {
    QStringList out;
    for (const ShownWindow& row : table())
        out << row.name;
    return out;
}

} // namespace quill
