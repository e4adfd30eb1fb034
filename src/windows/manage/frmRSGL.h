#pragma once

#include "platform/db/Recordset.h"
#include "windows/manage/ImageList.h"

#include <QDialog>
#include <QString>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QMenuBar;
class QToolBar;

namespace quill {

class F1Book;
class ModuleLauncher;
class RecordCommands;
class ReportRun;
class ReportStore;
class ResultSheetRenderer;
class SheetEditor;
class ToolbarPlugins;

// The data management window: report list, result sheet, menus, toolbar and
// plug-ins over the current module title's table. It is loaded when made
// (Form_Load), activates itself when first shown and again whenever a modal
// window it opened has closed (Form_Activate), and gives the suite back its
// table when it closes (Form_Unload). Its routines live in the classes beside
// it; the window wires its controls to them.
class frmRSGL : public QDialog {
    Q_OBJECT

public:
    explicit frmRSGL(QWidget* parent = nullptr);
    ~frmRSGL() override;

    // Controls, under their design names.
    QMenuBar* MenuBar1;
    QMenu* MNA;
    QMenu* MNB;
    QMenu* MNC;
    QMenu* MND;
    QMenu* MNE;
    QAction* MN01;
    QAction* MN02;
    QAction* MN03;
    QAction* MN04;
    QAction* MN05;
    QAction* MN06;
    QAction* MN07;
    QAction* MN08;
    QAction* MN09;
    QAction* MN10;
    QAction* MN11;
    QAction* MN12;
    QAction* MNE1;
    QAction* MNE2;
    QAction* MNE3;
    QToolBar* Toolbar1;
    ImageList ImageList1;
    QListWidget* ListView1;
    QLabel* Image1;
    QLabel* Label1;
    F1Book* F1Book1;

    // MN01..MN12 by number (1..12); MNE1..MNE3 by plug-in number (1..3).
    QAction* commandItem(int number) const;
    QAction* pluginItem(int number) const;
    // Toolbar button at a position (1..); nullptr beyond the last.
    QAction* toolbarButton(int position) const;
    int toolbarButtonCount() const;

    // Event handlers.
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_Unload();
    void MN01_Click();
    void MN02_Click();
    void MN03_Click();
    void MN04_Click();
    void MN05_Click();
    void MN06_Click();
    void MN07_Click();
    void MN08_Click();
    void MN09_Click();
    void MN10_Click();
    void MN11_Click();
    void MN12_Click();
    void MNE1_Click();
    void MNE2_Click();
    void MNE3_Click();
    // A click on the toolbar dispatches on the button's position (1..15).
    void Toolbar1_ButtonClick(int position);
    // A click on the report list entry at index (1 = "报表名称:").
    // Invokable: the host's pictures of other windows start with clicks.
    Q_INVOKABLE void ListView1_ItemClick(int index);
    // A click or a selection change on the result sheet chooses the
    // record the record commands work on.
    Q_INVOKABLE void F1Book1_Click(int row, int col);
    void F1Book1_SelChange();
    void F1Book1_DblClick(int row, int col);
    void F1Book1_MouseDown(int button, int shift, int x, int y);
    void F1Book1_EndEdit(QString& editString, bool& cancel);
    // The user changed column widths: they are stored.
    void F1Book1_ColWidthChange();

    // The editing commands and the chart by the query's group part and
    // period range (activation; again after a report was chosen).
    void applyEditingRules();
    // Shows a window of this one modally and activates this one again when
    // it has closed.
    void runModal(QDialog& window);
    // Closes the window (it unloads on the way).
    void unload();

    // State shared with the routines beside the window.
    // The data recordset is replaced when a report is chosen: ask for it
    // anew rather than keep it.
    Recordset& dataRecordset() { return *m_data; }
    Recordset& dictionaryRecordset() { return m_dictionary; }
    Recordset& menuRecordset() { return m_menus; }
    // Opens the SYS02 entry with this caption on the menu recordset; false
    // when the suite has no such entry.
    bool openMenuEntry(const QString& caption);
    ResultSheetRenderer& renderer() { return *m_renderer; }
    SheetEditor& sheetEditor() { return *m_sheetEditor; }
    ToolbarPlugins& toolbarPlugins() { return *m_toolbar; }
    ReportRun& reportRun() { return *m_reportRun; }
    bool blankForZero() const { return m_blankForZero; }
    void setBlankForZero(bool on) { m_blankForZero = on; }
    bool editMode() const { return m_editMode; }
    void setEditMode(bool on) { m_editMode = on; }
    QString workingText() const { return m_workingText; }
    void setWorkingText(const QString& text) { m_workingText = text; }
    long reportRootId() const { return m_reportRootId; }
    QString reportName() const { return m_reportName; }
    void setReportName(const QString& name) { m_reportName = name; }
    // Activations so far; also the dynamic property "activations", by which
    // the host knows when the window is ready for its picture.
    int activations() const { return m_activations; }
    bool isUnloaded() const { return m_unloaded; }

    // Setting of section "QUILL" under ModuleTitle + suffix.
    static QString titleSetting(const QString& suffix);
    // The blank-for-zero setting (ModuleTitle + " 0" is "YES").
    static bool blankForZeroSetting();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Handler = void (frmRSGL::*)();
    // MN01_Click..MN12_Click by number (1..12).
    static Handler commandHandler(int number);

    void buildMenus();
    void buildControls();
    bool tableExists();
    void finishLoad();
    void showBanner();
    void fillReportList();
    void runQuery();
    void refreshBookCaption();
    void runPlugin(int number);

    QWidget* m_client; // the area below the menu bar the layout rules measure
    Recordset m_menus;
    std::unique_ptr<Recordset> m_data = std::make_unique<Recordset>();
    Recordset m_dictionary;
    std::unique_ptr<ResultSheetRenderer> m_renderer;
    std::unique_ptr<SheetEditor> m_sheetEditor;
    std::unique_ptr<ToolbarPlugins> m_toolbar;
    std::unique_ptr<ModuleLauncher> m_launcher;
    std::unique_ptr<RecordCommands> m_records;
    std::unique_ptr<ReportStore> m_reports;
    std::unique_ptr<ReportRun> m_reportRun;
    QString m_workingText;
    QString m_reportName;
    long m_reportRootId = 0;
    bool m_blankForZero = false;
    bool m_editMode = false;
    bool m_shown = false;
    bool m_unloaded = false;
    int m_activations = 0;
};

} // namespace quill
