#include "windows/entry/frmRSLR.h"

#include "platform/grid/F1Book.h"
#include "platform/ui/Named.h"
#include "suite/SuiteLib.h"
#include "windows/entry/EntryPickList.h"
#include "windows/entry/RecordChecks.h"
#include "windows/entry/RecordCommit.h"
#include "windows/entry/RecordNavigator.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <exception>

namespace quill {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    return named(new QPushButton(caption, parent), name);
}

QString errorText(const std::exception& e) {
    return QString::fromUtf8(e.what());
}

} // namespace

frmRSLR::frmRSLR(F1Book* mainSheet, int sheetRecords, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmRSLR"));
    setWindowTitle(QStringLiteral("资料录入"));
    setModal(true);
    resize(760, 560);
    buildControls();
    m_entry = std::make_unique<RecordEntry>(*F1Book1);
    m_commit = std::make_unique<RecordCommit>(*m_entry, mainSheet, sheetRecords);
    Form_Load();
}

frmRSLR::~frmRSLR() {
    if (!m_unloaded)
        Form_Unload();
}

void frmRSLR::buildControls() {
    F1Book1 = named(new F1Book(this), "F1Book1");
    F1Book1->SetLastCol(2);
    F1Book1->SetColWidthOf(1, 3072);
    F1Book1->SetColWidthOf(2, 8960);
    F1Book1->setEnterMovesDown(true);

    Label1 = named(new QLabel(QStringLiteral("唯一检验:"), this), "Label1");
    List1 = named(new QListWidget(this), "List1");
    Label2 = named(new QLabel(QStringLiteral("必填检验:"), this), "Label2");
    List2 = named(new QListWidget(this), "List2");
    Label4 = named(new QLabel(QStringLiteral("全选"), this), "Label4");
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->setStyleSheet(QStringLiteral("color: #1f4e9c; text-decoration: underline;"));
    Label4->installEventFilter(this);
    Label3 = named(new QLabel(QStringLiteral("像片:"), this), "Label3");
    Image1 = named(new QLabel(this), "Image1");
    Image1->setFixedSize(120, 150);
    Image1->setFrameShape(QFrame::Box);
    Image1->setAlignment(Qt::AlignCenter);
    Check1 = named(new QCheckBox(QStringLiteral("刷新内容"), this), "Check1");

    Command1 = button(this, "Command1", QStringLiteral("&Q 确定"));
    Command2 = button(this, "Command2", QStringLiteral("&E 退出"));
    Command3 = button(this, "Command3", QStringLiteral("&N 下查"));
    Command4 = button(this, "Command4", QStringLiteral("&P 上查"));
    Command5 = button(this, "Command5", QStringLiteral("&L 查找"));
    Command1->installEventFilter(this);
    StatusBar1 = named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);

    auto* checks = new QGridLayout;
    checks->addWidget(Label1, 0, 0);
    checks->addWidget(Label2, 0, 1);
    checks->addWidget(Label4, 0, 1, Qt::AlignRight);
    checks->addWidget(List1, 1, 0);
    checks->addWidget(List2, 1, 1);
    auto* picture = new QHBoxLayout;
    picture->addWidget(Label3, 0, Qt::AlignTop);
    picture->addWidget(Image1);
    picture->addStretch();
    auto* side = new QVBoxLayout;
    side->addLayout(checks, 1);
    side->addLayout(picture);
    side->addWidget(Check1);
    auto* body = new QHBoxLayout;
    body->addWidget(F1Book1, 3);
    body->addLayout(side, 2);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command1, Command3, Command4, Command5, Command2})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar1);

    connect(F1Book1, &F1Book::Click, this, &frmRSLR::F1Book1_Click);
    connect(F1Book1, &F1Book::DblClick, this, &frmRSLR::F1Book1_DblClick);
    connect(F1Book1, &F1Book::SelChange, this, &frmRSLR::F1Book1_SelChange);
    connect(F1Book1, &F1Book::EndEdit, this, &frmRSLR::F1Book1_EndEdit, Qt::DirectConnection);
    connect(F1Book1, &F1Book::KeyPress, this, &frmRSLR::F1Book1_KeyPress, Qt::DirectConnection);
    connect(Command1, &QPushButton::clicked, this, &frmRSLR::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmRSLR::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmRSLR::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmRSLR::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmRSLR::Command5_Click);
    connect(List1, &QListWidget::itemClicked, this, &frmRSLR::List1_Click);
}

QString frmRSLR::status() const {
    return StatusBar1->currentMessage();
}

void frmRSLR::setStatus(const QString& text) {
    if (text.isEmpty())
        StatusBar1->clearMessage();
    else
        StatusBar1->showMessage(text);
}

void frmRSLR::Form_Load() {
    SuiteLib& lib = SuiteLib::instance();
    m_clickedRow = 1;
    F1Book1->SetObjVisible(EntryPickList::DropDown, false);
    Image1->clear();
    try {
        m_entry->open();
        for (QListWidget* list : {List1, List2}) {
            for (int k = 1; k <= m_entry->fieldCount(); ++k) {
                auto* item = new QListWidgetItem(m_entry->field(k).caption, list);
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(Qt::Unchecked);
            }
        }
        switch (RecordEntry::modeOf(lib.CommandName)) {
        case RecordEntry::Mode::Add:
            setWindowTitle(QStringLiteral("添加记录"));
            for (QPushButton* b : {Command3, Command4, Command5})
                b->setEnabled(false);
            break;
        case RecordEntry::Mode::Modify:
        case RecordEntry::Mode::Delete: {
            const bool modify = RecordEntry::modeOf(lib.CommandName) == RecordEntry::Mode::Modify;
            setWindowTitle(modify ? QStringLiteral("修改记录") : QStringLiteral("删除记录"));
            Check1->setEnabled(false);
            if (!modify) {
                for (QWidget* w : std::initializer_list<QWidget*>{Command3, Command4, List1, List2})
                    w->setEnabled(false);
            }
            if (!m_entry->positionOnChosen()) {
                setStatus(QStringLiteral("记录已被其他用户修改或删除"));
                return;
            }
            if (modify)
                m_entry->showRecord();
            else
                m_entry->XS();
            loadPhoto();
            break;
        }
        case RecordEntry::Mode::Other:
            break;
        }
    } catch (const std::exception& e) {
        setStatus(errorText(e));
        return;
    }
    F1Book1->SetSheetName(1, lib.QueryCaption);
}

void frmRSLR::loadPhoto() {
    const QString path = m_entry->photoPath();
    if (path.isEmpty()) {
        Image1->clear();
        return;
    }
    const QPixmap picture(path);
    if (picture.isNull()) {
        Image1->clear();
        throw std::runtime_error(QStringLiteral("文件未找到：%1").arg(path).toStdString());
    }
    Image1->setPixmap(
        picture.scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void frmRSLR::showPhoto() {
    try {
        loadPhoto();
    } catch (const std::exception& e) {
        setStatus(errorText(e));
    }
}

void frmRSLR::XS() {
    m_entry->XS();
}

bool frmRSLR::rowIsReadOnly(int row) const {
    const SuiteLib& lib = SuiteLib::instance();
    if (row < 1 || row > m_entry->fieldCount())
        return false;
    return listedIn(lib.ReadOnlyColumns1 + lib.ReadOnlyColumns2, m_entry->field(row).caption);
}

void frmRSLR::F1Book1_Click(int row, int col) {
    if (row == 0 || col == 0 || row > m_entry->fieldCount())
        return;
    m_clickedRow = row;
    m_clickedCol = col;
    F1Book1->SetAllowCellEditing(F1Book1->ActiveCol() != 1 && !rowIsReadOnly(row));
    EntryPickList::clear(*F1Book1);
    if (col == 2 && !m_entry->field(row).caption.trimmed().isEmpty())
        setStatus(EntryPickList::show(*m_entry, row, col));
}

void frmRSLR::F1Book1_DblClick(int, int) {
    F1Book1->StartCellEdit(false, false, false);
}

void frmRSLR::F1Book1_EndEdit(QString& editString, bool&) {
    if (!editString.startsWith(QLatin1Char('\'')))
        editString.prepend(QLatin1Char('\''));
}

void frmRSLR::F1Book1_KeyPress(int& keyAscii) {
    const QString cardCaption = SuiteLib::instance().ColumnLookup(QStringLiteral("cardid"));
    const bool cardRow = !cardCaption.isEmpty() && m_clickedRow >= 1 &&
                         m_clickedRow <= m_entry->fieldCount() &&
                         m_entry->field(m_clickedRow).caption == cardCaption;
    if (F1Book1->ActiveCol() == 1 || cardRow)
        keyAscii = 0;
}

void frmRSLR::F1Book1_SelChange() {
    const int dropDown = EntryPickList::DropDown;
    if (F1Book1->ObjVisible(dropDown)) {
        const int chosen = F1Book1->ObjValue(dropDown);
        if (chosen >= 0 && m_selRow >= 1 && m_selCol == 2) {
            const QString text = F1Book1->ObjItemText(dropDown, chosen).trimmed();
            m_entry->putValue(m_selRow, text);
        }
        F1Book1->SetObjVisible(dropDown, false);
    }
    m_selRow = F1Book1->SelRow();
    m_selCol = F1Book1->SelCol();
    const std::vector<bool> required = ticks(List2);
    const std::vector<bool> unique = ticks(List1);
    RecordChecks checks(*m_entry);
    try {
        for (int i = 1; i < m_selRow && i <= m_entry->fieldCount(); ++i) {
            if (auto failed =
                    checks.checkRow(i, required[std::size_t(i - 1)], unique[std::size_t(i - 1)])) {
                setStatus(*failed);
                F1Book1->SetSelection(i, 2, i, 2);
                return;
            }
        }
    } catch (const std::exception& e) {
        setStatus(errorText(e));
    }
}

std::vector<bool> frmRSLR::ticks(const QListWidget* list) const {
    std::vector<bool> out(std::size_t(m_entry->fieldCount()), false);
    for (int i = 0; i < list->count() && i < int(out.size()); ++i)
        out[std::size_t(i)] = list->item(i)->checkState() == Qt::Checked;
    return out;
}

void frmRSLR::Command1_Click() {
    RecordCommit::Outcome outcome;
    try {
        outcome = m_commit->run(ticks(List2), ticks(List1), Check1->isChecked());
    } catch (const std::exception& e) {
        setStatus(errorText(e));
        return;
    }
    setStatus(outcome.status);
    if (outcome.closeWindow) {
        done(QDialog::Accepted);
        return;
    }
    // The picture follows a record written; a refused add shows none.
    if (outcome.written)
        showPhoto();
}

void frmRSLR::Command1_LostFocus() {
    setStatus(QString());
}

void frmRSLR::Command2_Click() {
    done(QDialog::Rejected);
}

void frmRSLR::Command3_Click() {
    setStatus(QString());
    try {
        setStatus(RecordNavigator(*m_entry).next());
        showPhoto();
    } catch (const std::exception& e) {
        setStatus(errorText(e));
    }
}

void frmRSLR::Command4_Click() {
    setStatus(QString());
    try {
        setStatus(RecordNavigator(*m_entry).previous());
        showPhoto();
    } catch (const std::exception& e) {
        setStatus(errorText(e));
    }
}

void frmRSLR::Command5_Click() {
    try {
        const QString result = RecordNavigator(*m_entry).find(m_clickedRow);
        setStatus(result);
        if (m_entry->recordShown())
            showPhoto();
    } catch (const std::exception& e) {
        setStatus(errorText(e));
    }
}

void frmRSLR::Label4_Click() {
    const bool all = Label4->text() == u"全选";
    for (int i = 0; i < List2->count(); ++i)
        List2->item(i)->setCheckState(all ? Qt::Checked : Qt::Unchecked);
    Label4->setText(all ? QStringLiteral("全清") : QStringLiteral("全选"));
}

void frmRSLR::List1_Click() {
    F1Book1->setFocus();
    if (m_entry->fieldCount() > 0)
        F1Book1->SetSelection(1, 2, 1, 2);
}

bool frmRSLR::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label4 && event->type() == QEvent::MouseButtonRelease)
        Label4_Click();
    else if (watched == Command1 && event->type() == QEvent::FocusOut)
        Command1_LostFocus();
    return QDialog::eventFilter(watched, event);
}

void frmRSLR::Form_Unload() {
    m_unloaded = true;
    SuiteLib::instance().CommandName = QString();
    for (Recordset* rs : {&m_entry->data(), &m_entry->lookup()}) {
        try {
            rs->Close();
        } catch (const std::exception&) {
            // Unloading goes on whatever fails.
        }
    }
}

void frmRSLR::done(int result) {
    if (!m_unloaded)
        Form_Unload();
    QDialog::done(result);
}

} // namespace quill
