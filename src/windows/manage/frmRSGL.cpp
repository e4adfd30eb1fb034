#include "windows/manage/frmRSGL.h"

#include "foundation/Dialect.h"
#include "foundation/Mdlx.h"
#include "foundation/ReportStore.h"
#include "foundation/TypeCode.h"
#include "platform/db/DbError.h"
#include "platform/grid/F1Book.h"
#include "platform/grid/GridError.h"
#include "platform/ui/Ui.h"
#include "suite/SettingsError.h"
#include "suite/SuiteLib.h"
#include "windows/about/frmAbout.h"
#include "windows/designer/frmRSCX.h"
#include "windows/manage/ExportCommands.h"
#include "windows/manage/ModuleLauncher.h"
#include "windows/manage/PageOutput.h"
#include "windows/manage/RecordCommands.h"
#include "windows/manage/ReportRun.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/SheetEditor.h"
#include "windows/manage/ToolbarImages.h"
#include "windows/manage/ToolbarPlugins.h"
#include "windows/manage/Twips.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <exception>
#include <optional>

namespace quill {

namespace {

const QString Exit = QStringLiteral("exit");
const QString DefaultCommands = QStringLiteral("-010203040506070809101112");

// Design sizes in pixels: the report list's width, the toolbar's and the
// banner's heights.
constexpr int ListWidth = 168;
constexpr int ToolbarHeight = 58;
constexpr int BannerHeight = 72;

QAction* item(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
}

QMenu* topMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QLatin1String(name));
    return m;
}

} // namespace

frmRSGL::frmRSGL(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmRSGL"));
    setModal(true);
    resize(1120, 720);
    buildMenus();
    buildControls();
    ToolbarImages::fill(ImageList1);
    m_renderer = std::make_unique<ResultSheetRenderer>(*F1Book1);
    m_sheetEditor = std::make_unique<SheetEditor>(
        *F1Book1, *m_renderer, [this]() -> Recordset& { return *m_data; }, m_editMode);
    m_toolbar = std::make_unique<ToolbarPlugins>(*this);
    m_launcher = std::make_unique<ModuleLauncher>(*this);
    m_records = std::make_unique<RecordCommands>(*this);
    m_reports = std::make_unique<ReportStore>(m_dictionary);
    m_reportRun = std::make_unique<ReportRun>(*m_reports);
    Form_Load();
}

frmRSGL::~frmRSGL() {
    if (!m_unloaded)
        Form_Unload();
}

void frmRSGL::buildMenus() {
    MenuBar1 = new QMenuBar(this);
    MenuBar1->setObjectName(QStringLiteral("MenuBar1"));
    MNA = topMenu(MenuBar1, "MNA", QStringLiteral("查询"));
    MN01 = item(MNA, "MN01", QStringLiteral("查询"));
    MNB = topMenu(MenuBar1, "MNB", QStringLiteral("输入"));
    MN02 = item(MNB, "MN02", QStringLiteral("添加"));
    MN03 = item(MNB, "MN03", QStringLiteral("修改"));
    MN04 = item(MNB, "MN04", QStringLiteral("删除"));
    MN05 = item(MNB, "MN05", QStringLiteral("编辑"));
    MN06 = item(MNB, "MN06", QStringLiteral("保存"));
    MNC = topMenu(MenuBar1, "MNC", QStringLiteral("输出"));
    MN07 = item(MNC, "MN07", QStringLiteral("预览"));
    MN08 = item(MNC, "MN08", QStringLiteral("打印"));
    MN09 = item(MNC, "MN09", QStringLiteral("输出"));
    MN10 = item(MNC, "MN10", QStringLiteral("图表"));
    MND = topMenu(MenuBar1, "MND", QStringLiteral("帮助"));
    MN11 = item(MND, "MN11", QStringLiteral("关于..."));
    MN12 = item(MND, "MN12", QStringLiteral("退出"));
    MNE = topMenu(MenuBar1, "MNE", QStringLiteral("外挂"));
    MNE1 = item(MNE, "MNE1", QStringLiteral("模块1"));
    MNE2 = item(MNE, "MNE2", QStringLiteral("模块2"));
    MNE3 = item(MNE, "MNE3", QStringLiteral("模块3"));

    for (int n = 1; n <= 12; ++n)
        connect(commandItem(n), &QAction::triggered, this, commandHandler(n));
    connect(MNE1, &QAction::triggered, this, &frmRSGL::MNE1_Click);
    connect(MNE2, &QAction::triggered, this, &frmRSGL::MNE2_Click);
    connect(MNE3, &QAction::triggered, this, &frmRSGL::MNE3_Click);
}

void frmRSGL::buildControls() {
    m_client = new QWidget(this);
    m_client->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MenuBar1);
    layout->addWidget(m_client);

    Toolbar1 = new QToolBar(m_client);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(ToolbarImages::Size, ToolbarImages::Size));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Toolbar1->setGeometry(0, 0, width(), ToolbarHeight);

    ListView1 = new QListWidget(m_client);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setIconSize(QSize(ToolbarImages::Size, ToolbarImages::Size));
    ListView1->setGeometry(0, ToolbarHeight, ListWidth, 400);
    connect(ListView1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* it) { ListView1_ItemClick(ListView1->row(it) + 1); });

    Image1 = new QLabel(m_client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setGeometry(ListWidth, ToolbarHeight, 600, BannerHeight);

    Label1 = new QLabel(m_client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont caption = Label1->font();
    caption.setPointSize(caption.pointSize() + 3);
    caption.setBold(true);
    Label1->setFont(caption);
    Label1->setGeometry(ListWidth + 8, ToolbarHeight + BannerHeight - 30, 600, 26);

    F1Book1 = new F1Book(m_client);
    F1Book1->setObjectName(QStringLiteral("F1Book1"));
    F1Book1->setGeometry(ListWidth, ToolbarHeight + BannerHeight, 600, 400);
    connect(F1Book1, &F1Book::Click, this, &frmRSGL::F1Book1_Click);
    connect(F1Book1, &F1Book::SelChange, this, &frmRSGL::F1Book1_SelChange);
    connect(F1Book1, &F1Book::DblClick, this, &frmRSGL::F1Book1_DblClick);
    connect(F1Book1, &F1Book::MouseDown, this, &frmRSGL::F1Book1_MouseDown);
    connect(F1Book1, &F1Book::EndEdit, this, &frmRSGL::F1Book1_EndEdit, Qt::DirectConnection);
    connect(F1Book1, &F1Book::ColWidthChange, this, &frmRSGL::F1Book1_ColWidthChange);
}

QAction* frmRSGL::commandItem(int number) const {
    const std::array<QAction*, 12> items = {MN01, MN02, MN03, MN04, MN05, MN06,
                                            MN07, MN08, MN09, MN10, MN11, MN12};
    return number >= 1 && number <= 12 ? items[std::size_t(number - 1)] : nullptr;
}

frmRSGL::Handler frmRSGL::commandHandler(int number) {
    static constexpr std::array<Handler, 12> handlers = {
        &frmRSGL::MN01_Click, &frmRSGL::MN02_Click, &frmRSGL::MN03_Click, &frmRSGL::MN04_Click,
        &frmRSGL::MN05_Click, &frmRSGL::MN06_Click, &frmRSGL::MN07_Click, &frmRSGL::MN08_Click,
        &frmRSGL::MN09_Click, &frmRSGL::MN10_Click, &frmRSGL::MN11_Click, &frmRSGL::MN12_Click};
    return handlers[std::size_t(number - 1)];
}

QAction* frmRSGL::pluginItem(int number) const {
    const std::array<QAction*, 3> items = {MNE1, MNE2, MNE3};
    return number >= 1 && number <= 3 ? items[std::size_t(number - 1)] : nullptr;
}

QAction* frmRSGL::toolbarButton(int position) const {
    const QList<QAction*> buttons = Toolbar1->actions();
    return position >= 1 && position <= buttons.size() ? buttons.at(position - 1) : nullptr;
}

int frmRSGL::toolbarButtonCount() const {
    return int(Toolbar1->actions().size());
}

QString frmRSGL::titleSetting(const QString& suffix) {
    SuiteLib& lib = SuiteLib::instance();
    return lib.ReadSetting(QStringLiteral("QUILL"), lib.ModuleTitle + suffix, lib.settingsPath());
}

bool frmRSGL::blankForZeroSetting() {
    return titleSetting(QStringLiteral(" 0")) == QLatin1String("YES");
}

void frmRSGL::Form_Load() {
    SuiteLib& lib = SuiteLib::instance();
    try {
        lib.SavedTableName = lib.TableName;
        lib.TableName = lib.ResolveTable(lib.ModuleTitle, QString());
        lib.SelectTable(lib.ModuleTitle);

        m_menus.Open(QStringLiteral("select * from SYS02"), *lib.Connection);
        m_dictionary.Open(QStringLiteral("select * from zdb1 where parid=0 and proval='DATABASE'"),
                          *lib.Connection);
    } catch (const DbError& e) {
        lib.RunState = Exit;
        MsgBox(e.message());
        return;
    }

    try {
        if (lib.ReadSetting(QStringLiteral("QUILL"), lib.ModuleTitle, lib.settingsPath()).isEmpty())
            lib.WriteSetting(QStringLiteral("QUILL"), lib.ModuleTitle, DefaultCommands,
                             lib.settingsPath());
    } catch (const SettingsError& e) {
        MsgBox(e.message());
    }

    // Any error from the probe to the end of the load is a missing table.
    bool loaded = false;
    try {
        loaded = tableExists();
        if (loaded)
            finishLoad();
    } catch (const std::exception&) {
        loaded = false;
    }
    if (!loaded) {
        lib.RunState = Exit;
        MsgBox(QStringLiteral("该数据表不存在"));
        return;
    }
    setWindowTitle(lib.ModuleTitle);
}

void frmRSGL::finishLoad() {
    SuiteLib& lib = SuiteLib::instance();
    Mdlx& m = Mdlx::instance();
    F1Book1->SetLastCol(int(lib.ColumnCount()));
    m.startRange();
    m_workingText = m.RangeCaptionFor(lib.ModuleTitle);
    m.CurrentReportIndex = 0;
    m.SumCount = 0;
    lib.RunState = QString();
    Form_Resize();
    showBanner();
}

bool frmRSGL::tableExists() {
    SuiteLib& lib = SuiteLib::instance();
    if (lib.ColumnCount() <= 0)
        return false;
    const Dialect dialect = Dialect::fromKind(lib.DatabaseKind);
    const QString field = lib.ColumnAttribute(1, 1);
    // The type text is compared whole with the code letters here.
    const QString type = lib.ColumnType(field);
    const TypeCode code = type.size() == 1 ? typeCodeOf(type) : TypeCode::Unknown;
    lib.SqlSelect = QStringLiteral("select * ");
    lib.SqlFrom = QStringLiteral("from ") + lib.TableName + QLatin1Char(' ');
    lib.SqlWhere = QStringLiteral("where ") + field + dialect.probeLiteral(code);
    lib.SqlGroup = QString();
    lib.SqlOrder = QString();
    lib.joinQuery();
    if (dialect.isQuote()) {
        m_dictionary.Close();
        m_dictionary.Open(Dialect::tableExistsQuery(lib.TableName), *lib.Connection);
        if (m_dictionary.Eof())
            return false;
    }
    m_data->Close();
    m_data->Open(lib.QuerySql, *lib.Connection);
    return true;
}

void frmRSGL::showBanner() {
    SuiteLib& lib = SuiteLib::instance();
    const QString configured = titleSetting(QStringLiteral("IMAGE"));
    const QString fallback = lib.HomeFolder + QStringLiteral("/bramble.bmp");
    QString file;
    if (!configured.isEmpty() && QFileInfo(configured).isFile())
        file = configured;
    else if (QFileInfo(fallback).isFile())
        file = fallback;
    const QPixmap picture(file);
    if (file.isEmpty() || picture.isNull())
        Image1->clear();
    else
        Image1->setPixmap(picture);
}

void frmRSGL::Form_Activate() {
    SuiteLib& lib = SuiteLib::instance();
    m_blankForZero = blankForZeroSetting();
    if (lib.RunState == Exit) {
        unload();
        return;
    }
    try {
        fillReportList();
    } catch (const DbError& e) {
        MsgBox(e.message());
        unload();
        return;
    }
    try {
        // Unsaved edits stay on the sheet: it is not run again under them.
        if (!m_sheetEditor->isEditing())
            runQuery();
    } catch (const std::exception&) {
        MsgBox(lib.QuerySql);
        unload();
        return;
    }
    applyEditingRules();
    refreshBookCaption();
    ++m_activations;
    setProperty("activations", m_activations);
}

void frmRSGL::fillReportList() {
    ListView1->clear();
    auto add = [this](const QString& key, int image) {
        auto* entry = new QListWidgetItem(ImageList1.Picture(image), key, ListView1);
        entry->setData(Qt::UserRole, key);
    };
    add(QStringLiteral("报表名称:"), 20);
    // Without a REPORT root there are no saved reports to list.
    const std::optional<qint64> root = m_reports->rootId();
    if (!root)
        return;
    m_reportRootId = long(*root);
    for (const QString& name : m_reports->names(*root))
        add(name, 10);
}

void frmRSGL::runQuery() {
    ResultSheetRenderer::Prepared run = m_renderer->prepare(m_reportName);
    Form_Resize();
    m_renderer->show(run, m_blankForZero);
    m_data.swap(run.data);
    m_sheetEditor->rendered();
    Label1->setText(SuiteLib::instance().QueryCaption);
    m_toolbar->rebuild();
}

void frmRSGL::applyEditingRules() {
    SuiteLib& lib = SuiteLib::instance();
    const Mdlx& m = Mdlx::instance();
    auto editing = [this](bool on) {
        for (int n = 2; n <= 6; ++n)
            commandItem(n)->setEnabled(on);
        for (int p = 5; p <= 9; ++p)
            toolbarButton(p)->setVisible(on);
    };
    auto chart = [this](bool on) {
        MN10->setEnabled(on);
        toolbarButton(13)->setVisible(on);
    };
    if (!lib.SqlGroup.isEmpty()) {
        editing(false);
        chart(!lib.SqlGroup.contains(QLatin1Char(',')));
    } else if (m.PeriodFrom != lib.CurrentPeriod || m.PeriodTo != lib.CurrentPeriod) {
        editing(false);
        chart(true);
    } else {
        chart(false);
    }
}

void frmRSGL::refreshBookCaption() {
    const SuiteLib& lib = SuiteLib::instance();
    const QString caption = F1Book1->BookCaption();
    if (caption.isEmpty() || caption.contains(lib.OperatorName))
        return;
    F1Book1->SetBookCaption(
        lib.OperatorName + QStringLiteral(" [") + QStringLiteral("打印日期") + QLatin1Char(':') +
        QDate::currentDate().toString(QStringLiteral("yy-MM-dd")) + QStringLiteral("] ") + caption);
}

void frmRSGL::Form_Resize() {
    const int innerWidth = Twips::fromPixels(m_client->width());
    const int innerHeight = Twips::fromPixels(m_client->height());
    auto tw = [](int pixels) { return Twips::fromPixels(pixels); };
    auto px = [](int twips) { return Twips::toPixels(twips); };

    // The toolbar is aligned to the top and spans the window.
    Toolbar1->setGeometry(0, 0, m_client->width(), Toolbar1->height());

    const int listTop = tw(Toolbar1->y()) + tw(Toolbar1->height());
    ListView1->setGeometry(ListView1->x(), px(listTop), ListView1->width(),
                           px(innerHeight - listTop - 1100));
    Image1->resize(px(innerWidth - tw(Image1->x()) - 200), Image1->height());
    Label1->resize(px(innerWidth - tw(Label1->x()) - 200), Label1->height());

    const int bookTop = tw(Image1->y()) + tw(Image1->height());
    const int bookLeft = tw(ListView1->width());
    F1Book1->setGeometry(px(bookLeft), px(bookTop), px(innerWidth - bookLeft - 200),
                         px(innerHeight - bookTop - 1100));
}

void frmRSGL::Form_Unload() {
    m_unloaded = true;
    m_sheetEditor->finishCopies();
    SuiteLib& lib = SuiteLib::instance();
    for (Recordset* rs : {m_data.get(), &m_dictionary, &m_menus}) {
        try {
            rs->Close();
        } catch (const std::exception&) {
            // Unloading goes on whatever fails.
        }
    }
    lib.TableName = lib.SavedTableName;
    if (lib.SavedTableName.isEmpty())
        return;
    try {
        lib.SelectTable(lib.ResolveTable(lib.SavedTableName, QString()));
    } catch (const std::exception&) {
        // The host's table could not be made current again; nothing to undo.
    }
}

void frmRSGL::unload() {
    done(QDialog::Rejected);
}

void frmRSGL::done(int result) {
    if (!m_unloaded && !m_sheetEditor->mayDiscard())
        return;
    if (!m_unloaded)
        Form_Unload();
    QDialog::done(result);
}

void frmRSGL::runModal(QDialog& window) {
    window.exec();
    if (!m_unloaded)
        Form_Activate();
}

void frmRSGL::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    QMetaObject::invokeMethod(this, &frmRSGL::Form_Activate, Qt::QueuedConnection);
}

bool frmRSGL::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize)
        Form_Resize();
    return QDialog::eventFilter(watched, event);
}

void frmRSGL::MN01_Click() {
    // A new query from the designer replaces the sheet.
    if (!m_sheetEditor->mayDiscard())
        return;
    {
        // What the designer changed goes back unless it composed a query the
        // database takes: a refused query leaves the window and its sheet as
        // they were. The composed query is shown under the report the
        // designer had loaded, none for the table's own query.
        ReportRun::Attempt attempt(*m_reportRun);
        frmRSCX designer(this);
        if (designer.exec() == QDialog::Accepted) {
            const int index = designer.loadedReportIndex();
            const QString name = index > 0 ? designer.List6->item(index)->text() : QString();
            try {
                m_renderer->prepare(name);
                m_reportName = name;
                attempt.keep();
            } catch (const DbError& e) {
                MsgBox(SuiteLib::instance().QuerySql + QLatin1Char('\n') + e.message());
            } catch (const GridError& e) {
                MsgBox(QDir::toNativeSeparators(ResultSheetRenderer::sheetFile(name)) +
                       QLatin1Char('\n') + e.message());
            }
        }
    }
    if (!m_unloaded)
        Form_Activate();
}

// Printing and export are wired to their routines as those arrive.
void frmRSGL::MN05_Click() {
    m_sheetEditor->edit();
}

void frmRSGL::MN06_Click() {
    m_sheetEditor->save();
}

void frmRSGL::MN07_Click() {
    PageOutput::of(*this, *F1Book1)
        .writeAndRun(m_reportName, PageOutput::kindOf(*m_renderer), PageOutput::Preview);
}

void frmRSGL::MN08_Click() {
    PageOutput::of(*this, *F1Book1)
        .writeAndRun(m_reportName, PageOutput::kindOf(*m_renderer), PageOutput::Print);
}

void frmRSGL::MN09_Click() {
    ExportCommands(*this).exportSheet();
}

void frmRSGL::MN10_Click() {
    ExportCommands(*this).chart();
}

void frmRSGL::MN11_Click() {
    frmAbout about(this);
    runModal(about);
}

void frmRSGL::MN12_Click() {
    unload();
}

void frmRSGL::MNE1_Click() {
    runPlugin(1);
}

void frmRSGL::MNE2_Click() {
    runPlugin(2);
}

void frmRSGL::MNE3_Click() {
    runPlugin(3);
}

void frmRSGL::runPlugin(int number) {
    SuiteLib& lib = SuiteLib::instance();
    if (!m_sheetEditor->mayDiscard())
        return;
    lib.CommandName = titleSetting(QStringLiteral("MENU") + QString::number(number));
    bool ran = false;
    try {
        ran = m_launcher->runRegisteredModule();
    } catch (const DbError& e) {
        MsgBox(e.message());
    }
    if (ran && !m_unloaded)
        Form_Activate();
}

void frmRSGL::Toolbar1_ButtonClick(int position) {
    // The query, the three plug-ins, then the commands MN02..MN12.
    if (position == 1)
        MN01_Click();
    else if (position >= 2 && position <= 4)
        runPlugin(position - 1);
    else if (position >= 5 && position <= 15)
        (this->*commandHandler(position - 3))();
}

void frmRSGL::ListView1_ItemClick(int index) {
    if (!m_sheetEditor->mayDiscard())
        return;
    const bool blankForZero = blankForZeroSetting();
    const QListWidgetItem* entry = ListView1->item(index - 1);
    const QString key = entry ? entry->data(Qt::UserRole).toString() : QString();
    if (index <= 1) {
        m_blankForZero = blankForZero;
        m_reportRun->Choose(index, key);
        return;
    }
    // Nothing shown changes before the report's run is ready: a report whose
    // query or workbook fails is refused and the window stays as it was, so
    // the next activation runs the query it showed before.
    ReportRun::Attempt attempt(*m_reportRun);
    ResultSheetRenderer::Prepared run;
    try {
        if (!m_reportRun->Choose(index, key))
            return;
        run = m_renderer->prepare(key);
        Form_Resize();
        m_renderer->show(run, blankForZero);
    } catch (const DbError& e) {
        MsgBox(QStringLiteral("报表'%1'的查询无法执行:\n%2\n%3")
                   .arg(key, SuiteLib::instance().QuerySql, e.message()));
        return;
    } catch (const GridError& e) {
        MsgBox(QStringLiteral("报表'%1'的表格文件不能使用:\n%2\n%3")
                   .arg(key, QDir::toNativeSeparators(ResultSheetRenderer::sheetFile(key)),
                        e.message()));
        return;
    } catch (const std::exception& e) {
        MsgBox(QStringLiteral("报表'%1'无法显示:\n%2").arg(key, QString::fromUtf8(e.what())));
        return;
    }
    attempt.keep();
    m_data.swap(run.data);
    m_sheetEditor->rendered();
    m_blankForZero = blankForZero;
    m_workingText = m_reportRun->WorkingText();
    m_reportName = key;
    Label1->setText(SuiteLib::instance().QueryCaption);
    // After the sheet: the employee rule asks the new sheet's first heading.
    try {
        m_toolbar->rebuild();
        applyEditingRules();
    } catch (const DbError& e) {
        MsgBox(e.message());
    }
}

void frmRSGL::MN02_Click() {
    m_records->add();
}

void frmRSGL::MN03_Click() {
    m_records->modify();
}

void frmRSGL::MN04_Click() {
    m_records->remove();
}

void frmRSGL::F1Book1_Click(int row, int col) {
    m_records->cellClick(row, col);
}

void frmRSGL::F1Book1_SelChange() {
    m_records->selectionChange();
    m_sheetEditor->selectionChange();
}

void frmRSGL::F1Book1_DblClick(int row, int col) {
    if (m_launcher->companionDoubleClick(row, col) && !m_unloaded)
        Form_Activate();
}

void frmRSGL::F1Book1_EndEdit(QString& editString, bool&) {
    SheetEditor::endEdit(editString);
}

void frmRSGL::F1Book1_ColWidthChange() {
    m_sheetEditor->saveWidths();
}

void frmRSGL::F1Book1_MouseDown(int button, int, int x, int y) {
    if (button == 2)
        m_toolbar->popUp(F1Book1->viewport()->mapToGlobal(QPoint(x, y)));
}

bool frmRSGL::openMenuEntry(const QString& caption) {
    m_menus.Close();
    m_menus.Open(QStringLiteral("select * from SYS02 where cdmc=") + Dialect::textLiteral(caption),
                 *SuiteLib::instance().Connection);
    return !m_menus.Eof();
}

} // namespace quill
