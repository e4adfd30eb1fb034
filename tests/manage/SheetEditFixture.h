#pragma once

#include "WindowFixture.h"

#include <QString>
#include <QVariant>

#include <memory>

namespace quill {
class Connection;
class frmRSGL;
} // namespace quill

namespace quill::test {

// The main window shown on a demo table, with helpers that type into its
// result sheet as a user does (the cell opened for typing, the text entered,
// the cell left) and read what the database holds.
class SheetEditFixture : public WindowFixture {
protected:
    void TearDown() override;

    // Shows the window for the module title with every record of its table
    // in the current period (as a query from the designer leaves it), in
    // memberid order.
    void open(const QString& title);
    // Clicks a cell of the row, making its record the current one.
    void choose(int row);
    void edit();
    void save();
    // Types text into the cell; false when the cell may not be typed.
    bool type(int row, int col, const QString& text);
    // Whether the sheet is being edited.
    bool editing() const;
    // The sheet column under this heading (0: none).
    int column(const QString& heading) const;
    QString cell(int row, int col) const;
    // The first value the query gives, as text ("<null>" for null).
    QString queryText(const QString& sql) const;
    void exec(const QString& sql) const;
    // A second connection to the same database, as another user has.
    std::unique_ptr<Connection> secondConnection() const;
    bool isPg() const { return GetParam() == Engine::Pg; }

    std::unique_ptr<frmRSGL> w;
};

} // namespace quill::test
