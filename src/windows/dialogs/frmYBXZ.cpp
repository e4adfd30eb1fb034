#include "windows/dialogs/frmYBXZ.h"

#include "platform/db/DbError.h"
#include "platform/ui/Named.h"
#include "suite/SettingsError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace quill {

namespace {

// An editable box whose list stays the SYS02 entries: typed text is neither
// completed from the list nor added to it.
QComboBox* menuBox(QWidget* parent, const char* name) {
    auto* box = named(new QComboBox(parent), name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setMinimumWidth(150);
    return box;
}

void fill(QListWidget* list, const QStringList& items) {
    list->clear();
    list->addItems(items);
}

} // namespace

frmYBXZ::frmYBXZ(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmYBXZ"));
    setWindowTitle(QStringLiteral("组件初始化"));
    setModal(true);

    Frame1 = named(new QGroupBox(this), "Frame1");
    Label3 = named(new QLabel(QStringLiteral("外接模块:"), Frame1), "Label3");
    Text4 = named(new QLineEdit(Frame1), "Text4");
    Text5 = named(new QLineEdit(Frame1), "Text5");
    Text6 = named(new QLineEdit(Frame1), "Text6");
    Combo1 = menuBox(Frame1, "Combo1");
    Combo2 = menuBox(Frame1, "Combo2");
    Combo3 = menuBox(Frame1, "Combo3");
    Label2 = named(new QLabel(QStringLiteral("限用菜单:"), Frame1), "Label2");
    List3 = named(new QListWidget(Frame1), "List3");
    Label7 = named(new QLabel(QStringLiteral("可选菜单:"), Frame1), "Label7");
    List4 = named(new QListWidget(Frame1), "List4");
    Check1 = named(new QCheckBox(QStringLiteral("以后不再显示此框"), Frame1), "Check1");
    Check2 = named(new QCheckBox(QStringLiteral("数字项空格替代零"), Frame1), "Check2");
    Check3 = named(new QCheckBox(QStringLiteral("输出成文本文件"), Frame1), "Check3");
    Command1 = named(new QPushButton(QStringLiteral("&Y 确定"), this), "Command1");
    Command1->setDefault(true);
    StatusBar1 = named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    // Room for a message from the start, so that showing one moves nothing.
    StatusBar1->setMinimumHeight(StatusBar1->fontMetrics().height() + 8);

    connect(List3, &QListWidget::itemDoubleClicked, this, [this] { List3_DblClick(); });
    connect(List4, &QListWidget::itemDoubleClicked, this, [this] { List4_DblClick(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    auto* grid = new QGridLayout(Frame1);
    grid->addWidget(Label3, 0, 0, 1, 2);
    for (int m = 1; m <= ComponentSetup::Modules; ++m) {
        grid->addWidget(text(m), m, 0);
        grid->addWidget(combo(m), m, 1);
    }
    grid->addWidget(Label2, 4, 0);
    grid->addWidget(Label7, 4, 1);
    grid->addWidget(List3, 5, 0);
    grid->addWidget(List4, 5, 1);
    grid->addWidget(Check1, 6, 0);
    grid->addWidget(Check2, 6, 1);
    grid->addWidget(Check3, 7, 0);

    auto* body = new QWidget(this);
    auto* row = new QHBoxLayout(body);
    row->addWidget(Frame1, 1);
    row->addWidget(Command1, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(body);
    layout->addWidget(StatusBar1);

    Form_Load();
}

QLineEdit* frmYBXZ::text(int module) const {
    return module == 1 ? Text4 : module == 2 ? Text5 : Text6;
}

QComboBox* frmYBXZ::combo(int module) const {
    return module == 1 ? Combo1 : module == 2 ? Combo2 : Combo3;
}

void frmYBXZ::Form_Load() {
    // A SYS02 that cannot be read leaves the lists empty; entries can still
    // be typed.
    try {
        const QStringList entries = ComponentSetup::menuEntries(m_menus);
        for (int m = 1; m <= ComponentSetup::Modules; ++m)
            combo(m)->addItems(entries);
    } catch (const DbError& e) {
        StatusBar1->showMessage(e.message());
    }
    m_setup = ComponentSetup::read();
    for (int m = 1; m <= ComponentSetup::Modules; ++m) {
        text(m)->setText(m_setup.captions[std::size_t(m - 1)]);
        combo(m)->setEditText(m_setup.menus[std::size_t(m - 1)]);
    }
    Check1->setChecked(m_setup.notAgain);
    Check2->setChecked(m_setup.blankForZero);
    Check3->setChecked(m_setup.textFile);
    showLists();
}

void frmYBXZ::showLists() {
    fill(List3, m_setup.withheld);
    fill(List4, m_setup.offered);
}

void frmYBXZ::List3_DblClick() {
    m_setup.offer(List3->currentRow());
    showLists();
}

void frmYBXZ::List4_DblClick() {
    m_setup.withhold(List4->currentRow());
    showLists();
}

void frmYBXZ::Command1_Click() {
    for (int m = 1; m <= ComponentSetup::Modules; ++m) {
        m_setup.captions[std::size_t(m - 1)] = text(m)->text();
        m_setup.menus[std::size_t(m - 1)] = combo(m)->currentText();
    }
    m_setup.notAgain = Check1->isChecked();
    m_setup.blankForZero = Check2->isChecked();
    m_setup.textFile = Check3->isChecked();
    try {
        m_setup.write();
    } catch (const SettingsError& e) {
        StatusBar1->showMessage(e.message());
        return;
    }
    accept();
}

} // namespace quill
