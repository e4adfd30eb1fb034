#pragma once

#include <QString>

namespace quill {

class frmRSGL;

// The record commands of the main window, add (MN02, button 5), modify
// (MN03, button 6) and delete (MN04, button 7), and the result sheet's cell
// click and selection change that choose the record modify and delete work
// on. The work itself is done by the entry window frmRSLR, or by the
// external entry module the setting "ADDDLL-" + ModuleTitle names.
class RecordCommands {
public:
    explicit RecordCommands(frmRSGL& window);

    void add();
    void modify();
    void remove();

    // A click on the result sheet: publishes the cell (CurrentRow,
    // CurrentCol) and the record of its row with its memberid, name, kh,
    // zhdate, year and month. A row heading publishes the row alone; a row
    // below the last record chooses no record.
    void cellClick(int row, int col);
    // The selection moved: the cell under it is published as by a click.
    void selectionChange();

private:
    // The fields of the sheet row's record into the suite and the record
    // handed to the entry window; false when the row shows no record.
    bool chooseRecord(int row);
    void publishFields();
    bool refusedAsAudited() const;
    bool refusedWithoutRecord() const;
    // Runs the external entry module when one is set, else frmRSLR.
    void openEntry();

    frmRSGL& m_window;
};

} // namespace quill
