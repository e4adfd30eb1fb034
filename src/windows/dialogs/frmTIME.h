#pragma once

#include "platform/db/Recordset.h"
#include "windows/dialogs/RangeDialog.h"

class QComboBox;

namespace quill {

// The period dialog: one accounting period or a range of them for the next
// query. Its lists are the periods of SYS03; the boxes take typed text too.
// OK stores the range kind and both bounds and closes; closing it any other
// way stores nothing.
class frmTIME : public RangeDialog {
    Q_OBJECT

public:
    explicit frmTIME(QWidget* parent = nullptr);

    QComboBox* Combo1;
    QComboBox* Combo2;

    void Form_Load();
    void Form_Activate() override;
    void Option1_Click() override;
    void Option2_Click() override;
    void Combo1_GotFocus();
    void Command1_Click() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Recordset m_periods;
};

} // namespace quill
