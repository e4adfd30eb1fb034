#include "windows/designer/frmRSCX.h"

#include "foundation/Mdlx.h"
#include "foundation/ReportStore.h"
#include "platform/db/DbError.h"
#include "platform/grid/F1Book.h"
#include "platform/ui/Named.h"
#include "suite/SuiteLib.h"
#include "windows/designer/AdHocQuery.h"
#include "windows/dialogs/frmDATE.h"
#include "windows/dialogs/frmTIME.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include <exception>

namespace quill {

namespace {

QListWidget* itemList(QWidget* parent, const char* name, const QString& hint) {
    auto* list = named(new QListWidget(parent), name);
    list->setToolTip(hint);
    return list;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false);
    return b;
}

// A list shows its entries again; the chosen entry stays where it was.
void showList(QListWidget* widget, const QStringList& entries) {
    const int chosen = widget->currentRow();
    widget->clear();
    widget->addItems(entries);
    widget->setCurrentRow(chosen < widget->count() ? chosen : -1);
}

} // namespace

frmRSCX::frmRSCX(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmRSCX"));
    setWindowTitle(QStringLiteral("资料查询"));
    setModal(true);
    buildControls();
    m_grid = std::make_unique<ConditionGrid>(*F1Book1);
    wireControls();
    Form_Load();
}

frmRSCX::~frmRSCX() {
    if (!m_unloaded)
        Form_Unload();
}

void frmRSCX::buildControls() {
    Frame1 = named(new QGroupBox(QStringLiteral("项目"), this), "Frame1");
    Label1 = named(new QLabel(QStringLiteral("数据项目："), Frame1), "Label1");
    List1 = itemList(Frame1, "List1", QStringLiteral("双击选定"));
    Option1 = named(new QRadioButton(QStringLiteral("显示项："), Frame1), "Option1");
    Option2 = named(new QRadioButton(QStringLiteral("排序项："), Frame1), "Option2");
    Option3 = named(new QRadioButton(QStringLiteral("累加项："), Frame1), "Option3");
    Option4 = named(new QRadioButton(QStringLiteral("分组项："), Frame1), "Option4");
    List2 = itemList(Frame1, "List2", QStringLiteral("双击移除"));
    List3 = itemList(Frame1, "List3", QStringLiteral("双击移除"));
    List4 = itemList(Frame1, "List4", QStringLiteral("双击移除"));
    List5 = itemList(Frame1, "List5", QStringLiteral("双击移除"));
    Check2 = named(new QCheckBox(QStringLiteral("插入"), Frame1), "Check2");
    Label3 = named(new QLabel(ItemLists::SelectAll, Frame1), "Label3");
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->installEventFilter(this);

    auto* displayHead = new QHBoxLayout;
    displayHead->addWidget(Option1);
    displayHead->addStretch();
    displayHead->addWidget(Check2);
    displayHead->addWidget(Label3);
    displayHead->addSpacing(12);
    auto* items = new QGridLayout(Frame1);
    items->addWidget(Label1, 0, 0);
    items->addLayout(displayHead, 0, 1);
    items->addWidget(Option2, 0, 2);
    items->addWidget(Option3, 0, 3);
    items->addWidget(Option4, 0, 4);
    const QList<QListWidget*> lists = {List1, List2, List3, List4, List5};
    for (int c = 0; c < lists.size(); ++c) {
        items->addWidget(lists.at(c), 1, c);
        items->setColumnStretch(c, c < 2 ? 3 : 2);
    }

    F1Book1 = named(new F1Book(this), "F1Book1");

    Option5 = named(new QRadioButton(QStringLiteral("查询设定"), this), "Option5");
    Option6 = named(new QRadioButton(QStringLiteral("报表设计"), this), "Option6");
    // The list options and the mode options choose apart.
    for (const QList<QRadioButton*>& options :
         {QList<QRadioButton*>{Option1, Option2, Option3, Option4},
          QList<QRadioButton*>{Option5, Option6}}) {
        auto* group = new QButtonGroup(this);
        for (QRadioButton* option : options)
            group->addButton(option);
    }
    Label2 = named(new QLabel(QStringLiteral("报表名称："), this), "Label2");
    Text1 = named(new QLineEdit(this), "Text1");
    List6 = named(new QListWidget(this), "List6");
    Command1 = button(this, "Command1", QStringLiteral("&Y 确定"));
    Command2 = button(this, "Command2", QStringLiteral("&T 调时"));
    Command3 = button(this, "Command3", QStringLiteral("&N 取消"));
    Command4 = button(this, "Command4", QStringLiteral("&A 添加"));
    Command5 = button(this, "Command5", QStringLiteral("&U 修改"));
    Command6 = button(this, "Command6", QStringLiteral("&D 删除"));
    StatusBar1 = named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);

    auto* modes = new QHBoxLayout;
    modes->addWidget(Option5);
    modes->addWidget(Option6);
    auto* buttons = new QGridLayout;
    const QList<QPushButton*> commands = {Command1, Command2, Command3,
                                          Command4, Command5, Command6};
    for (int i = 0; i < commands.size(); ++i)
        buttons->addWidget(commands.at(i), i / 3, i % 3);
    auto* side = new QVBoxLayout;
    side->addLayout(modes);
    side->addWidget(Label2);
    side->addWidget(Text1);
    side->addWidget(List6, 1);
    side->addLayout(buttons);

    auto* left = new QVBoxLayout;
    left->addWidget(Frame1, 3);
    left->addWidget(F1Book1, 4);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addLayout(body);
    layout->addWidget(StatusBar1);
    resize(960, 640);
}

void frmRSCX::wireControls() {
    connect(List1, &QListWidget::itemDoubleClicked, this, &frmRSCX::List1_DblClick);
    connect(List2, &QListWidget::itemDoubleClicked, this, &frmRSCX::List2_DblClick);
    connect(List3, &QListWidget::itemDoubleClicked, this, &frmRSCX::List3_DblClick);
    connect(List4, &QListWidget::itemDoubleClicked, this, &frmRSCX::List4_DblClick);
    connect(List5, &QListWidget::itemDoubleClicked, this, &frmRSCX::List5_DblClick);
    connect(List6, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* entry) { List6_Click(List6->row(entry)); });
    const QList<std::pair<QRadioButton*, void (frmRSCX::*)()>> options = {
        {Option1, &frmRSCX::Option1_Click}, {Option2, &frmRSCX::Option2_Click},
        {Option3, &frmRSCX::Option3_Click}, {Option4, &frmRSCX::Option4_Click},
        {Option5, &frmRSCX::Option5_Click}, {Option6, &frmRSCX::Option6_Click}};
    for (const auto& [option, handler] : options) {
        connect(option, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                (this->*handler)();
        });
    }
    connect(Text1, &QLineEdit::textChanged, this, &frmRSCX::Text1_Change);
    connect(Command1, &QPushButton::clicked, this, &frmRSCX::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmRSCX::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmRSCX::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmRSCX::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmRSCX::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &frmRSCX::Command6_Click);
    connect(F1Book1, &F1Book::Click, this, &frmRSCX::F1Book1_Click);
    connect(F1Book1, &F1Book::SelChange, this, &frmRSCX::F1Book1_SelChange);
    connect(F1Book1, &F1Book::DblClick, this, &frmRSCX::F1Book1_DblClick);
    connect(F1Book1, &F1Book::EndEdit, this, &frmRSCX::F1Book1_EndEdit, Qt::DirectConnection);
    connect(F1Book1, &F1Book::KeyPress, this, &frmRSCX::F1Book1_KeyPress, Qt::DirectConnection);
}

void frmRSCX::Form_Load() {
    SuiteLib& lib = SuiteLib::instance();
    m_grid->setUp();
    for (long k = 1; k <= lib.ColumnCount(); ++k) {
        // Memo and object items are never offered.
        const QString type = lib.ColumnAttribute(2, k).toUpper();
        if (type != QLatin1String("M") && type != QLatin1String("O"))
            List1->addItem(lib.ColumnAttribute(0, k));
    }
    List1->setCurrentRow(0);
    Option1->setChecked(true);
    Option5->setChecked(true);
    List6->addItem(lib.ColumnAttribute(0, 0));
    fillReportList();
    if (lib.ColumnLookup(QStringLiteral("zhdate")).isEmpty() &&
        lib.ColumnLookup(QStringLiteral("zhtime")).isEmpty())
        Command2->setEnabled(false);
}

void frmRSCX::fillReportList() {
    try {
        ReportStore store(m_recordset);
        if (const std::optional<qint64> root = store.rootId())
            List6->addItems(store.names(*root));
    } catch (const DbError& e) {
        StatusBar1->showMessage(e.message());
    }
}

void frmRSCX::Form_Activate() {
    Mdlx& m = Mdlx::instance();
    // A report deleted meanwhile leaves an index beyond the list.
    int index = m.CurrentReportIndex;
    if (index < 0 || index >= List6->count())
        index = 0;
    List6_Click(index);
    try {
        m_grid->showConditions(m.ActiveConditions);
    } catch (const DbError& e) {
        StatusBar1->showMessage(e.message());
    }
    setWindowTitle(m.RangeCaptionFor(List6->item(index)->text()));
    ++m_activations;
    setProperty("activations", m_activations);
}

void frmRSCX::List6_Click(int index) {
    if (index < 0 || index >= List6->count())
        return;
    Mdlx& m = Mdlx::instance();
    const QString name = List6->item(index)->text();
    m_loadedIndex = index;
    List6->setCurrentRow(index);
    Text1->setText(name);
    m_lists.clear();
    m_grid->clear();
    StatusBar1->clearMessage();
    if (index > 0)
        loadReport(name);
    List1->setCurrentRow(0);
    showLists();
    setWindowTitle(m.RangeCaptionFor(name));
    F1Book1->SetSheetName(1, ConditionGrid::SheetTitle);
}

// The report's items and conditions as stored, field names shown as captions.
void frmRSCX::loadReport(const QString& name) {
    std::optional<ReportDefinition> report;
    try {
        report = ReportStore(m_recordset).read(name);
    } catch (const DbError& e) {
        StatusBar1->showMessage(e.message());
        return;
    }
    if (!report) {
        StatusBar1->showMessage(QStringLiteral("报表'") + name +
                                QStringLiteral("'已不存在,可能已被删除。"));
        return;
    }
    m_lists.load(report->lists);
    m_grid->showStored(report->conditions, report->conditionCount);
}

QStringList frmRSCX::reportEntries() const {
    QStringList entries;
    for (int i = 0; i < List6->count(); ++i)
        entries << List6->item(i)->text();
    return entries;
}

ConditionGrid::Shown frmRSCX::readGrid() {
    F1Book1->SetActiveCell(1, 1);
    DRCX();
    return m_grid->shownConditions();
}

void frmRSCX::showResult(const ReportCommands::Result& result) {
    StatusBar1->showMessage(result.status);
    if (result.focusName)
        Text1->setFocus();
}

void frmRSCX::Command4_Click() {
    const ReportCommands::Result result =
        m_reports.add(Text1->text(), reportEntries(), m_lists, [this] { return readGrid(); });
    if (result.done)
        List6->addItem(result.name);
    showResult(result);
}

void frmRSCX::Command5_Click() {
    const ReportCommands::Result result =
        m_reports.modify(Text1->text(), reportEntries(), List6->currentRow(), m_lists,
                         [this] { return readGrid(); });
    if (result.done)
        List6->currentItem()->setText(result.name);
    showResult(result);
}

void frmRSCX::Command6_Click() {
    const int selected = List6->currentRow();
    const ReportCommands::Result result = m_reports.remove(reportEntries(), selected);
    if (result.done) {
        delete List6->takeItem(selected);
        // The loaded index keeps naming the same report, or the table's own
        // query when that report is gone.
        if (m_loadedIndex == selected)
            m_loadedIndex = 0;
        else if (m_loadedIndex > selected)
            --m_loadedIndex;
    }
    showResult(result);
}

void frmRSCX::showLists() {
    showList(List2, m_lists.Display);
    showList(List3, m_lists.Sort);
    showList(List4, m_lists.Sum);
    showList(List5, m_lists.Group);
}

void frmRSCX::showStatus(const std::optional<QString>& text) {
    if (text)
        StatusBar1->showMessage(*text);
}

QString frmRSCX::statusText() const {
    return StatusBar1->currentMessage();
}

void frmRSCX::List1_DblClick() {
    StatusBar1->clearMessage();
    const QListWidgetItem* item = List1->currentItem();
    if (!item)
        return;
    ItemLists::Kind kind = ItemLists::Kind::Display;
    if (Option2->isChecked())
        kind = ItemLists::Kind::Sort;
    else if (Option3->isChecked())
        kind = ItemLists::Kind::Sum;
    else if (Option4->isChecked())
        kind = ItemLists::Kind::Group;
    else if (!Option1->isChecked())
        return;
    const bool insert = kind == ItemLists::Kind::Display && Check2->isChecked();
    showStatus(m_lists.add(kind, item->text(), insert, List2->currentRow()));
    showLists();
}

void frmRSCX::List2_DblClick() {
    const int index = List2->currentRow();
    if (index < 0)
        return;
    const std::optional<QString> refused = m_lists.removeDisplay(index);
    showStatus(refused);
    showLists();
    if (!refused)
        List2->setCurrentRow(-1);
}

void frmRSCX::removeFrom(ItemLists::Kind kind, QListWidget* list) {
    const int index = list->currentRow();
    if (index < 0)
        return;
    m_lists.remove(kind, index);
    showLists();
    list->setCurrentRow(-1);
}

void frmRSCX::List3_DblClick() {
    removeFrom(ItemLists::Kind::Sort, List3);
}

void frmRSCX::List4_DblClick() {
    removeFrom(ItemLists::Kind::Sum, List4);
}

void frmRSCX::List5_DblClick() {
    removeFrom(ItemLists::Kind::Group, List5);
}

void frmRSCX::Label3_Click() {
    Option1->setChecked(true);
    QStringList selectable;
    for (int i = 0; i < List1->count(); ++i)
        selectable << List1->item(i)->text();
    Label3->setText(m_lists.toggleAll(Label3->text(), selectable));
    showLists();
}

void frmRSCX::Option1_Click() {
    Check2->setEnabled(true);
}

void frmRSCX::Option2_Click() {
    Check2->setEnabled(true);
}

void frmRSCX::Option3_Click() {
    Check2->setEnabled(true);
}

void frmRSCX::Option4_Click() {
    Check2->setEnabled(false);
    Check2->setChecked(false);
}

void frmRSCX::Option5_Click() {
    Command1->setEnabled(true);
    Command3->setEnabled(true);
    for (QPushButton* b : {Command4, Command5, Command6})
        b->setEnabled(false);
    StatusBar1->clearMessage();
}

void frmRSCX::Option6_Click() {
    Command1->setEnabled(false);
    for (QPushButton* b : {Command3, Command4, Command5, Command6})
        b->setEnabled(true);
    StatusBar1->clearMessage();
}

void frmRSCX::Text1_Change() {
    m_reportName = Text1->text();
    setWindowTitle(m_reportName + Mdlx::instance().RangeCaption);
}

void frmRSCX::Command1_Click() {
    StatusBar1->clearMessage();
    F1Book1->SetActiveCell(1, 1);
    std::optional<QString> refused = AdHocQuery::refuseDisplay(m_lists);
    try {
        if (!refused) {
            DRCX();
            refused = AdHocQuery::commitConditions();
        }
        if (!refused)
            AdHocQuery::compose(m_lists);
    } catch (const DbError& e) {
        refused = e.message();
    }
    if (refused) {
        StatusBar1->showMessage(*refused);
        return;
    }
    SuiteLib::instance().QueryCaption = windowTitle();
    Mdlx::instance().CurrentReportIndex = std::int16_t(m_loadedIndex);
    accept();
}

void frmRSCX::Command2_Click() {
    try {
        DRCX();
    } catch (const DbError& e) {
        StatusBar1->showMessage(e.message());
    }
    const SuiteLib& lib = SuiteLib::instance();
    if (!lib.ColumnLookup(QStringLiteral("zhdate")).isEmpty()) {
        frmDATE dates(this);
        dates.exec();
    }
    if (!lib.ColumnLookup(QStringLiteral("zhtime")).isEmpty()) {
        frmTIME periods(this);
        periods.exec();
    }
    // The lists and the grid stay as the user left them; only the caption
    // shows the new range.
    setWindowTitle(Mdlx::instance().RangeCaptionFor(m_reportName));
}

void frmRSCX::Command3_Click() {
    reject();
}

void frmRSCX::F1Book1_Click(int row, int col) {
    try {
        showStatus(m_grid->Click(row, col));
    } catch (const DbError& e) {
        StatusBar1->showMessage(e.message());
    }
}

void frmRSCX::F1Book1_SelChange() {
    m_grid->SelChange();
}

void frmRSCX::F1Book1_DblClick(int, int) {
    F1Book1->StartCellEdit(false, false, false);
}

void frmRSCX::F1Book1_EndEdit(QString& editString, bool&) {
    ConditionGrid::EndEdit(editString);
}

void frmRSCX::F1Book1_KeyPress(int& keyAscii) {
    // The connective column is filled from its list only.
    F1Book1->SetAllowCellEditing(F1Book1->ActiveCol() != 1);
    if (keyAscii == 13 && Command1->isEnabled())
        Command1->setFocus();
}

void frmRSCX::DRCX() {
    m_grid->DRCX();
}

void frmRSCX::Form_Unload() {
    m_unloaded = true;
    try {
        m_recordset.Close();
    } catch (const std::exception&) {
        // Unloading goes on whatever fails.
    }
    SuiteLib::instance().RunState = QString();
}

void frmRSCX::done(int result) {
    if (!m_unloaded)
        Form_Unload();
    QDialog::done(result);
}

void frmRSCX::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    QMetaObject::invokeMethod(this, &frmRSCX::Form_Activate, Qt::QueuedConnection);
}

bool frmRSCX::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease)
        Label3_Click();
    return QDialog::eventFilter(watched, event);
}

} // namespace quill
