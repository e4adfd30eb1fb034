#pragma once

#include <QString>
#include <QVariantList>

namespace quill {

// The record the user chose on the main window's result sheet, handed to
// the entry window: the query it was read from and its values as read. The
// entry window finds that very record again in its own recordset, whatever
// its position there now, and a record that another user changed or
// deleted meanwhile is not found.
class ChosenRecord {
public:
    static void choose(const QString& query, const QVariantList& values);
    static void clear();
    // The values when a record of this query is chosen; empty otherwise.
    static QVariantList valuesFor(const QString& query);
    static bool isChosen(const QString& query);
};

} // namespace quill
