#pragma once

#include "platform/db/Recordset.h"
#include "windows/dialogs/ComponentSetup.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;

namespace quill {

// The component set-up dialog: the three plug-in modules of the main window
// (button caption and SYS02 entry), the commands it withholds (List3) or
// offers (List4), and three switches. It reads the settings when made; OK
// writes them all and closes, closing it any other way writes nothing.
class frmYBXZ : public QDialog {
    Q_OBJECT

public:
    explicit frmYBXZ(QWidget* parent = nullptr);

    QLabel* Label3;
    QLineEdit* Text4;
    QLineEdit* Text5;
    QLineEdit* Text6;
    QComboBox* Combo1;
    QComboBox* Combo2;
    QComboBox* Combo3;
    QLabel* Label2;
    QListWidget* List3;
    QLabel* Label7;
    QListWidget* List4;
    QGroupBox* Frame1;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QCheckBox* Check3;
    QPushButton* Command1;
    QStatusBar* StatusBar1;

    void Form_Load();
    void List3_DblClick();
    void List4_DblClick();
    void Command1_Click();

private:
    QLineEdit* text(int module) const;
    QComboBox* combo(int module) const;
    void showLists();

    ComponentSetup m_setup;
    Recordset m_menus;
};

} // namespace quill
