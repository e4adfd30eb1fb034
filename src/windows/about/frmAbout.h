#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quill {

// The module's About box: name, version and credits. A click on the picture
// switches the companion module on for the current module title, a click on
// Label4 switches it off (section "VEGA", key ModuleTitle + "-USE"). The
// advanced button, for the suite's administrator, asks for the administrator
// password and opens the component set-up dialog when it is right.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* Command1;
    QPushButton* Command2;

    void Image1_Click();
    void Label4_Click();
    void Command1_Click();
    void Command2_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void writeCompanionSwitch(const QString& value);
};

} // namespace quill
