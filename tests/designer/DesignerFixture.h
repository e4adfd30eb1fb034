#pragma once

#include "TestDatabase.h"

#include "foundation/Mdlx.h"
#include "platform/ui/ScriptedUi.h"
#include "windows/designer/frmRSCX.h"
#include "windows/manage/frmRSGL.h"

#include <QString>
#include <QStringList>

#include <memory>

class QListWidget;

namespace quill {
class ConditionGrid;
class F1Book;
} // namespace quill

namespace quill::test {

// A demo workspace (12 employees, 2 periods) on the test's engine, loaded
// into SuiteLib as the host loads it; the main window of a module title is
// loaded over it (as the designer always finds it) and the designer opened.
// SuiteLib and Mdlx start fresh and the connection is closed after each test.
class DesignerFixture : public EngineTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads the main window of the title, which makes its table current.
    void openTable(const QString& title);
    // A designer over the current table, loaded; with `activate` also shown
    // and activated once.
    std::unique_ptr<frmRSCX> designer(bool activate = true);

    // Runs a statement on the workspace's database, then reads the column
    // dictionary and the organisation afresh.
    void execAndReload(const QString& sql);

    static QStringList texts(const QListWidget* list);
    // A condition row written "connective|item|operator|value".
    static Mdlx::ConditionRow conditionRow(const QString& text);
    // Fills whole condition rows from row 1, each written as conditionRow()
    // reads it.
    static void fill(ConditionGrid& grid, const QStringList& rows);
    // Every row of a sheet, its cells joined by '|'.
    static QStringList rows(const F1Book& book);

    std::unique_ptr<ScriptedUi> ui;
    std::unique_ptr<frmRSGL> mainWindow;
    QString title;
};

} // namespace quill::test
