#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quill {

// The value lists of zdb3 that windows offer for a field, each in proval1
// order: the entries of an item's pick list (the children of the row of
// kind 2 whose name is the item's caption), the teams of a department and
// the groups of a team. Departments and teams are found by name in the
// suite's organisation cache; the pick-list header is looked up by its
// caption. An unknown header, department or team gives no list.
class ValueLists {
public:
    static std::optional<QStringList> pickList(const QString& caption);
    static std::optional<QStringList> teams(const QString& deptName);
    static std::optional<QStringList> groups(const QString& deptName, const QString& teamName);

private:
    // The names of the rows under the unit or header with this code.
    static QStringList children(const QString& code);
};

} // namespace quill
