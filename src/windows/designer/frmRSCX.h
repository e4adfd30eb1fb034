#pragma once

#include "platform/db/Recordset.h"
#include "windows/designer/ConditionGrid.h"
#include "windows/designer/ItemLists.h"
#include "windows/designer/ReportCommands.h"

#include <QDialog>
#include <QString>

#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace quill {

class F1Book;

// The query and report designer: display, sort, sum and group items of the
// current table in four lists, query conditions in a grid, and the table's
// stored reports. It loads when made (Form_Load), activates itself when
// first shown (Form_Activate) and empties the suite's RunState when it
// closes. The item rules live in ItemLists, the grid's in ConditionGrid;
// the window wires its controls to them.
class frmRSCX : public QDialog {
    Q_OBJECT

public:
    explicit frmRSCX(QWidget* parent = nullptr);
    ~frmRSCX() override;

    // Controls, under their design names.
    QGroupBox* Frame1;
    QLabel* Label1;
    QListWidget* List1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QRadioButton* Option3;
    QRadioButton* Option4;
    QListWidget* List2;
    QListWidget* List3;
    QListWidget* List4;
    QListWidget* List5;
    QCheckBox* Check2;
    QLabel* Label3;
    QRadioButton* Option5;
    QRadioButton* Option6;
    QLabel* Label2;
    QLineEdit* Text1;
    QListWidget* List6;
    F1Book* F1Book1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command6;
    QStatusBar* StatusBar1;

    // Event handlers.
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void List1_DblClick();
    void List2_DblClick();
    void List3_DblClick();
    void List4_DblClick();
    void List5_DblClick();
    // A click on the report list entry at `index` (0: the table's own query)
    // loads it into the lists and the grid.
    void List6_Click(int index);
    void Label3_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    void Text1_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void F1Book1_Click(int row, int col);
    void F1Book1_SelChange();
    void F1Book1_DblClick(int row, int col);
    void F1Book1_EndEdit(QString& editString, bool& cancel);
    void F1Book1_KeyPress(int& keyAscii);

    // Reads the condition grid into the edited conditions.
    void DRCX();

    ItemLists& itemLists() { return m_lists; }
    ConditionGrid& conditionGrid() { return *m_grid; }
    QString reportName() const { return m_reportName; }
    // The List6 index of the report loaded last.
    int loadedReportIndex() const { return m_loadedIndex; }
    // Activations so far; also the dynamic property "activations", by which
    // the host knows when the window is ready for its picture.
    int activations() const { return m_activations; }
    bool isUnloaded() const { return m_unloaded; }
    QString statusText() const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void wireControls();
    void fillReportList();
    void loadReport(const QString& name);
    void showLists();
    void showStatus(const std::optional<QString>& text);
    void removeFrom(ItemLists::Kind kind, QListWidget* list);
    QStringList reportEntries() const;
    // SetActiveCell(1, 1), DRCX, and the accepted rows as shown.
    ConditionGrid::Shown readGrid();
    void showResult(const ReportCommands::Result& result);

    Recordset m_recordset; // the window's working recordset on zdb1
    ItemLists m_lists;
    std::unique_ptr<ConditionGrid> m_grid;
    ReportCommands m_reports{m_recordset};
    QString m_reportName;
    int m_loadedIndex = 0;
    bool m_shown = false;
    bool m_unloaded = false;
    int m_activations = 0;
};

} // namespace quill
