#pragma once

#include <QPointer>
#include <QString>

namespace quill {

class ChartWindow;
class frmRSGL;

// The output menu's export (MN09) and chart (MN10) commands of the main
// window, over the headless exporters beside it. Dialogs and messages go
// through the ui seam; a cancelled save dialog ends a command silently, a
// file that cannot be written is reported by name and nothing is reported
// as done.
class ExportCommands {
public:
    explicit ExportCommands(frmRSGL& window);

    // MN09: the text export when the setting ModuleTitle + "TXT" is "YES",
    // else the workbook export.
    void exportSheet();
    // MN10: WorkFolder/Tmp.xls with the chart, handed to the spreadsheet
    // application, and the chart shown in a window of its own (returned;
    // nullptr when the workbook could not be written).
    ChartWindow* chart();

    // The save dialogs' filters, in the seam's notation.
    static const QString WorkbookFilter;
    static const QString TextFilter;

private:
    void exportText();
    void exportWorkbook();
    // Hands a written workbook over; a message when that fails.
    void handOver(const QString& path);

    frmRSGL& m_window;
};

} // namespace quill
