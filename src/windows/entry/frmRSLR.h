#pragma once

#include "windows/entry/RecordEntry.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;

namespace quill {

class F1Book;
class RecordCommit;

// The entry window ("资料录入"): one record of the current query, field by
// field, to add, modify or delete in the mode CommandName names, with next,
// previous and find. Loaded when made (Form_Load); its rules live in the
// classes beside it.
class frmRSLR : public QDialog {
    Q_OBJECT

public:
    // mainSheet: the main window's result sheet, which an added record is
    // appended to; sheetRecords: the records it shows.
    explicit frmRSLR(F1Book* mainSheet = nullptr, int sheetRecords = 0, QWidget* parent = nullptr);
    ~frmRSLR() override;

    // Controls, under their design names.
    F1Book* F1Book1;
    QLabel* Label1;
    QListWidget* List1;
    QLabel* Label2;
    QListWidget* List2;
    QLabel* Label3;
    QLabel* Image1;
    QLabel* Label4;
    QCheckBox* Check1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QStatusBar* StatusBar1;

    // Shows the current record.
    void XS();

    // Event handlers.
    void Form_Load();
    void Form_Unload();
    void F1Book1_Click(int row, int col);
    void F1Book1_DblClick(int row, int col);
    void F1Book1_SelChange();
    void F1Book1_EndEdit(QString& editString, bool& cancel);
    void F1Book1_KeyPress(int& keyAscii);
    void Command1_Click();
    void Command1_LostFocus();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Label4_Click();
    void List1_Click();

    RecordEntry& entry() { return *m_entry; }
    QString status() const;
    int clickedRow() const { return m_clickedRow; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setStatus(const QString& text);
    // The picture of the current record; a file that cannot be read is
    // reported in the status bar.
    void loadPhoto();
    void showPhoto();
    std::vector<bool> ticks(const QListWidget* list) const;
    bool rowIsReadOnly(int row) const;

    std::unique_ptr<RecordEntry> m_entry;
    std::unique_ptr<RecordCommit> m_commit;
    int m_clickedRow = 1;
    int m_clickedCol = 0;
    int m_selRow = 0;
    int m_selCol = 0;
    bool m_unloaded = false;
};

} // namespace quill
