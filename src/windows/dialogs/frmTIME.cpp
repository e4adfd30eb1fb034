#include "windows/dialogs/frmTIME.h"

#include "foundation/Mdlx.h"
#include "platform/db/DbError.h"
#include "suite/SuiteLib.h"
#include "windows/dialogs/PeriodRange.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>

namespace quill {

namespace {

// An editable box whose list stays the periods read: typed text is neither
// completed from the list nor added to it.
QComboBox* periodBox(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setEditText(QStringLiteral("2004年02月"));
    return box;
}

} // namespace

frmTIME::frmTIME(QWidget* parent)
    : RangeDialog("frmTIME", QStringLiteral("确定查询期数"), QStringLiteral("查询一期"),
                  QStringLiteral("查询多期"), parent) {
    Combo1 = periodBox(Frame1, "Combo1");
    Combo2 = periodBox(Frame1, "Combo2");
    Combo2->setEnabled(false);
    placeBounds(Combo1, Combo2);
    Combo1->installEventFilter(this);
    Form_Load();
}

void frmTIME::Form_Load() {
    setWindowTitle(QStringLiteral("确定查询期数"));
    // A SYS03 that cannot be read leaves the lists empty; periods can still
    // be typed.
    try {
        const QStringList periods = PeriodRange::load(m_periods);
        Combo1->addItems(periods);
        Combo2->addItems(periods);
    } catch (const DbError& e) {
        StatusBar1->showMessage(e.message());
    }
}

void frmTIME::Form_Activate() {
    const Mdlx& m = Mdlx::instance();
    Combo1->setEditText(m.PeriodFrom);
    Combo2->setEditText(m.PeriodFrom);
    if (SuiteLib::instance().RangeKind == QLatin1String("time2")) {
        Combo2->setEditText(m.PeriodTo);
        Option2->setChecked(true);
    }
}

void frmTIME::Option1_Click() {
    Label1->setEnabled(false);
    Combo1->setEditText(SuiteLib::instance().CurrentPeriod);
    Combo2->setEditText(SuiteLib::instance().CurrentPeriod);
    Combo2->setEnabled(false);
}

void frmTIME::Option2_Click() {
    const Mdlx& m = Mdlx::instance();
    Label1->setEnabled(true);
    Combo2->setEnabled(true);
    Combo1->setEditText(m.PeriodFrom);
    Combo2->setEditText(m.PeriodTo);
}

void frmTIME::Combo1_GotFocus() {
    if (Option1->isChecked())
        Combo2->setEditText(Combo1->currentText());
}

void frmTIME::Command1_Click() {
    if (!PeriodRange::store(Option1->isChecked(), Combo1->currentText(), Combo2->currentText())) {
        StatusBar1->showMessage(QStringLiteral("请重新调整期数"));
        return;
    }
    accept();
}

bool frmTIME::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Combo1 && event->type() == QEvent::FocusIn)
        Combo1_GotFocus();
    return RangeDialog::eventFilter(watched, event);
}

} // namespace quill
