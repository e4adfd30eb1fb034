#include "windows/dialogs/frmDATE.h"

#include "foundation/Mdlx.h"
#include "suite/SuiteLib.h"
#include "windows/dialogs/DateRange.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>

namespace quill {

namespace {

QDateEdit* datePicker(QWidget* parent, const char* name) {
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(QLatin1String(name));
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // Every date the module's date parser gives is shown as it is.
    picker->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    return picker;
}

} // namespace

frmDATE::frmDATE(QWidget* parent)
    : RangeDialog("frmDATE", QStringLiteral("确定查询日期"), QStringLiteral("查询日期"),
                  QStringLiteral("查询期间"), parent) {
    DTPicker1 = datePicker(Frame1, "DTPicker1");
    DTPicker2 = datePicker(Frame1, "DTPicker2");
    // In the single-date state the second picker follows the first, as the
    // period dialog's second box does.
    DTPicker2->setEnabled(false);
    placeBounds(DTPicker1, DTPicker2);
    connect(DTPicker1, &QDateEdit::dateChanged, this, &frmDATE::DTPicker1_Change);
    Form_Load();
}

void frmDATE::Form_Load() {
    setWindowTitle(QStringLiteral("确定查询日期"));
}

void frmDATE::Form_Activate() {
    const Mdlx& m = Mdlx::instance();
    DTPicker1->setDate(DateRange::shown(m.DateFrom));
    DTPicker2->setDate(DateRange::shown(m.DateFrom));
    if (SuiteLib::instance().RangeKind == QLatin1String("date2")) {
        DTPicker2->setDate(DateRange::shown(m.DateTo));
        Option2->setChecked(true);
    }
}

void frmDATE::Option1_Click() {
    Label1->setEnabled(false);
    DTPicker1->setDate(SuiteLib::instance().CurrentDate);
    DTPicker2->setDate(SuiteLib::instance().CurrentDate);
    DTPicker2->setEnabled(false);
}

void frmDATE::Option2_Click() {
    const Mdlx& m = Mdlx::instance();
    Label1->setEnabled(true);
    DTPicker2->setEnabled(true);
    DTPicker1->setDate(DateRange::shown(m.DateFrom));
    DTPicker2->setDate(DateRange::shown(m.DateTo));
}

void frmDATE::DTPicker1_Change() {
    if (Option1->isChecked())
        DTPicker2->setDate(DTPicker1->date());
}

void frmDATE::Command1_Click() {
    if (!DateRange::store(Option1->isChecked(), DTPicker1->date(), DTPicker2->date())) {
        StatusBar1->showMessage(QStringLiteral("请重新调整日期！"));
        return;
    }
    accept();
}

} // namespace quill
