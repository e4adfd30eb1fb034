#include "DesignerFixture.h"

#include "TestSql.h"

#include "WindowFixture.h"

#include "foundation/Mdlx.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/designer/ConditionGrid.h"
#include "windows/designer/frmRSCX.h"
#include "windows/manage/frmRSGL.h"

#include <QCoreApplication>
#include <QListWidget>

namespace quill::test {

void DesignerFixture::SetUp() {
    EngineTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    WindowFixture::loadDemoWorkspace(db(), GetParam());
    ui = std::make_unique<ScriptedUi>();
}

void DesignerFixture::TearDown() {
    mainWindow.reset();
    ui.reset();
    SuiteLib::instance().reset();
    Mdlx::instance().reset();
    EngineTest::TearDown();
}

void DesignerFixture::openTable(const QString& moduleTitle) {
    title = moduleTitle;
    mainWindow.reset();
    SuiteLib::instance().ModuleTitle = moduleTitle;
    mainWindow = std::make_unique<frmRSGL>();
}

std::unique_ptr<frmRSCX> DesignerFixture::designer(bool activate) {
    auto w = std::make_unique<frmRSCX>();
    if (activate) {
        w->show();
        QCoreApplication::processEvents();
    }
    return w;
}

void DesignerFixture::execAndReload(const QString& sql) {
    SuiteLib& lib = SuiteLib::instance();
    execSql(*lib.Connection, sql);
    lib.SelectTable(lib.TableName);
    lib.dropOrganisation();
}

QStringList DesignerFixture::texts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

Mdlx::ConditionRow DesignerFixture::conditionRow(const QString& text) {
    const QStringList cells = text.split(u'|');
    return {cells.value(0), cells.value(1), cells.value(2), cells.value(3)};
}

void DesignerFixture::fill(ConditionGrid& grid, const QStringList& rows) {
    for (int r = 0; r < rows.size(); ++r) {
        const Mdlx::ConditionRow cells = conditionRow(rows.at(r));
        for (int c = 0; c < ConditionGrid::Cols; ++c)
            grid.putText(r + 1, c + 1, cells.at(std::size_t(c)));
    }
}

QStringList DesignerFixture::rows(const F1Book& book) {
    QStringList out;
    for (int r = 1; r <= book.LastRow(); ++r) {
        QStringList cells;
        for (int c = 1; c <= book.LastCol(); ++c)
            cells << book.CellText(r, c);
        out << cells.join(u'|');
    }
    return out;
}

} // namespace quill::test
