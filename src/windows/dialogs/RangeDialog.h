#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace quill {

// What the period and the date dialog share: the two options in Frame1, the
// first and last bound with Label1 "至" between them (disabled until the
// range option is chosen), Command1, StatusBar1 for messages and the
// decorative Image1. The window activates itself once, when first shown; it
// opens no window of its own that would call for another activation.
class RangeDialog : public QDialog {
    Q_OBJECT

public:
    QGroupBox* Frame1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QLabel* Label1;
    QPushButton* Command1;
    QStatusBar* StatusBar1;
    QLabel* Image1;

    virtual void Form_Activate() = 0;
    virtual void Option1_Click() = 0;
    virtual void Option2_Click() = 0;
    virtual void Command1_Click() = 0;

    // Activations so far; also the dynamic property "activations", by which
    // the host knows when the window is ready for its picture.
    int activations() const { return m_activations; }

protected:
    RangeDialog(const char* name, const QString& caption, const QString& single,
                const QString& range, QWidget* parent);
    // Puts the two bound controls into the frame, either side of Label1.
    void placeBounds(QWidget* first, QWidget* last);
    void showEvent(QShowEvent* event) override;

private:
    int m_activations = 0;
};

} // namespace quill
