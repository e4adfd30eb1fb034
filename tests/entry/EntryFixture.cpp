#include "EntryFixture.h"

#include "TestSql.h"

#include "demo/DemoOptions.h"
#include "demo/DemoWorkspace.h"
#include "foundation/Mdlx.h"
#include "platform/db/Connection.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteConfig.h"
#include "suite/SuiteLib.h"
#include "windows/entry/ChosenRecord.h"
#include "windows/entry/frmRSLR.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

#include <optional>
#include <stdexcept>

namespace quill::test {

void EntryFixture::SetUp() {
    EngineTest::SetUp();
    if (IsSkipped())
        return;
    SuiteLib::instance().reset();
    Mdlx::instance().reset();
    ChosenRecord::clear();
    m_workspace = db().folder() + QStringLiteral("/ws");
    DemoOptions options;
    options.employees = 12;
    options.periods = 2;
    options.photos = 2;
    std::optional<ConnectionConfig> pg;
    if (GetParam() == Engine::Pg)
        pg = db().config();
    DemoWorkspace(m_workspace).create(options, pg);
    SuiteConfig::load(m_workspace).applyTo(SuiteLib::instance());
    ui = std::make_unique<ScriptedUi>();
}

void EntryFixture::TearDown() {
    ui.reset();
    ChosenRecord::clear();
    SuiteLib::instance().reset();
    Mdlx::instance().reset();
    EngineTest::TearDown();
}

void EntryFixture::useTable(const QString& title, const QString& select, const QString& where) {
    SuiteLib& lib = SuiteLib::instance();
    lib.ModuleTitle = title;
    lib.TableName = lib.ResolveTable(title, QString());
    lib.SelectTable(title);
    lib.SqlSelect = select;
    lib.SqlFrom = QStringLiteral("from ") + lib.TableName + u' ';
    lib.SqlWhere = where;
    lib.SqlGroup = QString();
    lib.SqlOrder = QString();
    lib.joinQuery();
    lib.QueryCaption = title + QStringLiteral("查询");
}

std::unique_ptr<frmRSLR> EntryFixture::open(const QString& command, long currentRow) {
    SuiteLib& lib = SuiteLib::instance();
    lib.CommandName = command;
    lib.CurrentRow = currentRow;
    auto w = std::make_unique<frmRSLR>();
    w->show();
    QCoreApplication::processEvents();
    return w;
}

void EntryFixture::click(frmRSLR& w, int row, int col) {
    w.F1Book1->SetActiveCell(row, col);
    w.F1Book1_Click(row, col);
}

void EntryFixture::type(frmRSLR& w, int row, const QString& text) {
    w.F1Book1->SetCellText(row, 2, text.isEmpty() ? QString() : u'\'' + text);
}

int EntryFixture::rowOf(frmRSLR& w, const QString& field) {
    return w.entry().rowOf(field);
}

QVariant EntryFixture::scalar(const QString& sql) const {
    QSqlQuery q(SuiteLib::instance().Connection->database());
    if (!q.exec(sql) || !q.next())
        throw std::runtime_error((q.lastError().text() + QStringLiteral(": ") + sql).toStdString());
    return q.value(0);
}

void EntryFixture::exec(const QString& sql) const {
    execSql(*SuiteLib::instance().Connection, sql);
}

} // namespace quill::test
