#pragma once

#include "windows/dialogs/RangeDialog.h"

class QDateEdit;

namespace quill {

// The date dialog: one day or a range of days for the next query, chosen on
// two date pickers with a calendar pop-up. OK stores the range kind and both
// bounds as "yyyy-mm-dd" and closes; closing it any other way stores
// nothing.
class frmDATE : public RangeDialog {
    Q_OBJECT

public:
    explicit frmDATE(QWidget* parent = nullptr);

    QDateEdit* DTPicker1;
    QDateEdit* DTPicker2;

    void Form_Load();
    void Form_Activate() override;
    void Option1_Click() override;
    void Option2_Click() override;
    void DTPicker1_Change();
    void Command1_Click() override;
};

} // namespace quill
