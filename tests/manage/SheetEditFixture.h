#pragma once

#include "Printers.h"
#include "WindowFixture.h"

#include "platform/db/Connection.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/manage/SheetEditor.h"
#include "windows/manage/frmRSGL.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>

#include <memory>
#include <stdexcept>

namespace quill::test {

// The main window shown on a demo table, with helpers that type into its
// result sheet as a user does (the cell opened for typing, the text entered,
// the cell left) and read what the database holds.
class SheetEditFixture : public WindowFixture {
protected:
    void TearDown() override {
        w.reset();
        WindowFixture::TearDown();
    }

    // Shows the window for the module title with every record of its table
    // in the current period (as a query from the designer leaves it), in
    // memberid order.
    void open(const QString& title) {
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
    // Clicks a cell of the row, making its record the current one.
    void choose(int row) { w->F1Book1_Click(row, 1); }
    void edit() { w->MN05_Click(); }
    void save() { w->MN06_Click(); }
    // Types text into the cell; false when the cell may not be typed.
    bool type(int row, int col, const QString& text) {
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
    // Whether the sheet is being edited.
    bool editing() const { return w->editMode(); }
    // The sheet column under this heading (0: none).
    int column(const QString& heading) const {
        for (int c = 1; c <= w->F1Book1->LastCol(); ++c) {
            if (w->F1Book1->ColHeading(c) == heading)
                return c;
        }
        return 0;
    }
    QString cell(int row, int col) const { return w->F1Book1->CellText(row, col); }
    // The first value the query gives, as text ("<null>" for null).
    QString queryText(const QString& sql) const {
        QSqlQuery q(SuiteLib::instance().Connection->database());
        if (!q.exec(sql) || !q.next())
            throw std::runtime_error(
                (sql + QStringLiteral(": ") + q.lastError().text()).toStdString());
        return q.value(0).isNull() ? QStringLiteral("<null>") : q.value(0).toString();
    }
    void exec(const QString& sql) const {
        QSqlQuery q(SuiteLib::instance().Connection->database());
        if (!q.exec(sql))
            throw std::runtime_error(
                (sql + QStringLiteral(": ") + q.lastError().text()).toStdString());
    }
    // A field of the pay record shown in the row, as text.
    QString pay(const QString& field, int row) const {
        return queryText(QStringLiteral("select cast(%1 as text) from GZB where zhtime='%2' and "
                                        "memberid='%3'")
                             .arg(field, SuiteLib::instance().CurrentPeriod,
                                  cell(row, column(QStringLiteral("工号")))));
    }
    QString employee(const QString& field, const QString& member) const {
        return queryText(
            QStringLiteral("select %1 from YGZL where memberid='%2'").arg(field, member));
    }
    // Files of a folder below the workspace, once the copies begun are written.
    QStringList files(const QString& folder) const {
        w->sheetEditor().finishCopies();
        return QDir(workspace() + u'/' + folder).entryList(QDir::Files);
    }
    QString lastMessage() const { return ui->messageTexts().value(ui->messageTexts().size() - 1); }
    // A second connection to the same database, as another user has.
    std::unique_ptr<Connection> secondConnection() const {
        return std::make_unique<Connection>(SuiteLib::instance().Connection->config());
    }
    bool isPg() const { return GetParam() == Engine::Pg; }

    std::unique_ptr<frmRSGL> w;
};

} // namespace quill::test
