#pragma once

#include "TestDatabase.h"

#include "platform/ui/ScriptedUi.h"

#include <QString>
#include <QVariant>

#include <memory>

namespace quill {
class frmRSLR;
}

namespace quill::test {

// A demo workspace (12 employees, the first two with photos, 2 periods) on
// the test's engine, loaded into SuiteLib as the host loads it, with the
// entry window opened on a table's query as the record commands open it.
class EntryFixture : public EngineTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the module title's table current with the query
    // select + "from TABLE " + where.
    void useTable(const QString& title, const QString& select = QStringLiteral("select * "),
                  const QString& where = QString());
    // The entry window in a mode ("添加", "修改", "删除") on CurrentRow.
    std::unique_ptr<frmRSLR> open(const QString& command, long currentRow = 1);

    // Clicks a cell (a value cell unless `col` says otherwise), as the user
    // does before typing.
    static void click(frmRSLR& w, int row, int col = 2);
    // Types a value into the window's grid as an edit leaves it.
    static void type(frmRSLR& w, int row, const QString& text);
    // The grid row of a field of the window's query.
    static int rowOf(frmRSLR& w, const QString& field);

    // One value read straight from the database.
    QVariant scalar(const QString& sql) const;
    void exec(const QString& sql) const;
    QString workspace() const { return m_workspace; }

    std::unique_ptr<ScriptedUi> ui;

private:
    QString m_workspace;
};

} // namespace quill::test
