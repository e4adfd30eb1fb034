#pragma once

#include "foundation/ReportStore.h"
#include "windows/designer/ConditionGrid.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace quill {

class ItemLists;
class Recordset;

// The designer's report buttons: add (Command4), modify (Command5) and
// delete (Command6) a stored report of the current table. The checks come
// first, in their order, each refusing with its status text; then the grid
// is read and the report written through ReportStore in one transaction.
class ReportCommands {
public:
    struct Result {
        QString status;         // for the status bar
        bool focusName = false; // Text1 takes the focus
        bool done = false;      // the report was written
        QString name;           // the stored name (add, modify)
    };
    // Reads the condition grid the way the buttons do (SetActiveCell(1, 1),
    // DRCX) and hands back the accepted rows as shown.
    using ReadGrid = std::function<ConditionGrid::Shown()>;

    explicit ReportCommands(Recordset& recordset);

    // `typed` is Text1's text, `entries` the List6 entries (0: the table's
    // own caption), `selected` the selected entry or -1.
    Result add(const QString& typed, const QStringList& entries, const ItemLists& lists,
               const ReadGrid& readGrid);
    Result modify(const QString& typed, const QStringList& entries, int selected,
                  const ItemLists& lists, const ReadGrid& readGrid);
    Result remove(const QStringList& entries, int selected);

    // The lists and conditions as a stored report keeps them: field names
    // for captions, values as shown.
    static ReportDraft draftOf(const QString& name, const ItemLists& lists,
                               const ConditionGrid::Shown& conditions);

private:
    static std::optional<Result> listRefusal(const ItemLists& lists);
    static std::optional<Result> nameRefusal(const QString& typed);
    Result write(const QString& status, const QString& name, const QString& done);

    ReportStore m_store;
};

} // namespace quill
