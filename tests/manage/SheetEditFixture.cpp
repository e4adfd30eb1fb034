#include "SheetEditFixture.h"

#include "platform/db/Connection.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/manage/frmRSGL.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>

namespace quill::test {

void SheetEditFixture::TearDown() {
    w.reset();
    WindowFixture::TearDown();
}

void SheetEditFixture::open(const QString& title) {
    w = load(title);
    show(*w);
    SuiteLib& lib = SuiteLib::instance();
    lib.SqlSelect = QStringLiteral("select * ");
    lib.SqlFrom = QStringLiteral("from ") + lib.TableName + u' ';
    lib.SqlWhere = lib.TableName == u"GZB"
                       ? QStringLiteral("where zhtime='%1' ").arg(lib.CurrentPeriod)
                       : QString();
    lib.SqlGroup.clear();
    lib.SqlOrder = lib.TableName == u"KQB" ? QStringLiteral("order by zhdate, memberid")
                                           : QStringLiteral("order by memberid");
    w->Form_Activate();
}

void SheetEditFixture::choose(int row) {
    w->F1Book1_Click(row, 1);
}

void SheetEditFixture::edit() {
    w->MN05_Click();
}

void SheetEditFixture::save() {
    w->MN06_Click();
}

bool SheetEditFixture::type(int row, int col, const QString& text) {
    F1Book& book = *w->F1Book1;
    book.SetActiveCell(row, col);
    QCoreApplication::processEvents();
    book.StartCellEdit(true, false, false);
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : book.findChildren<QLineEdit*>()) {
        if (e->isVisible())
            editor = e;
    }
    if (!editor || !book.isEditing())
        return false;
    editor->setText(text);
    book.SetActiveCell(row, col);
    QCoreApplication::processEvents();
    return true;
}

bool SheetEditFixture::editing() const {
    return w->editMode();
}

int SheetEditFixture::column(const QString& heading) const {
    for (int c = 1; c <= w->F1Book1->LastCol(); ++c) {
        if (w->F1Book1->ColHeading(c) == heading)
            return c;
    }
    return 0;
}

QString SheetEditFixture::cell(int row, int col) const {
    return w->F1Book1->CellText(row, col);
}

QString SheetEditFixture::queryText(const QString& sql) const {
    QSqlQuery q(SuiteLib::instance().Connection->database());
    if (!q.exec(sql) || !q.next())
        throw std::runtime_error((sql + QStringLiteral(": ") + q.lastError().text()).toStdString());
    return q.value(0).isNull() ? QStringLiteral("<null>") : q.value(0).toString();
}

void SheetEditFixture::exec(const QString& sql) const {
    QSqlQuery q(SuiteLib::instance().Connection->database());
    if (!q.exec(sql))
        throw std::runtime_error((sql + QStringLiteral(": ") + q.lastError().text()).toStdString());
}

std::unique_ptr<Connection> SheetEditFixture::secondConnection() const {
    return std::make_unique<Connection>(SuiteLib::instance().Connection->config());
}

} // namespace quill::test
