#pragma once

#include "platform/office/PageSetup.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

namespace quill {

// The preview's page setup: paper, orientation, margins, grid lines,
// centring, zoom or fit to pages, and the report's own footer text. Margins
// show in centimetres; the page setup keeps points.
class PageSetupDialog : public QDialog {
    Q_OBJECT
public:
    PageSetupDialog(const PageSetup& setup, const QString& footer, QWidget* parent);

    // The setup given, with what the dialog edits as the user left it.
    PageSetup pageSetup() const;
    QString footer() const;

    QComboBox* paper;
    QComboBox* orientation;
    QDoubleSpinBox* topMargin;
    QDoubleSpinBox* bottomMargin;
    QDoubleSpinBox* leftMargin;
    QDoubleSpinBox* rightMargin;
    QCheckBox* gridLines;
    QCheckBox* centerHorizontally;
    QCheckBox* centerVertically;
    QCheckBox* fitToPages;
    QSpinBox* zoom;
    QSpinBox* pagesWide;
    QSpinBox* pagesTall;
    QLineEdit* footerText;

private:
    PageSetup m_setup;
};

} // namespace quill
