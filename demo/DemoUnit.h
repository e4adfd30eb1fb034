#pragma once

#include <QString>

namespace quill {

// One row of zdb3: a department (kind 3), team, group, pick-list head (kind 2)
// or pick-list entry. Data tables store a unit's proid as its code.
struct DemoUnit {
    enum Kind { Entry = 1, PickList = 2, Department = 3, Team = 4, Group = 5 };

    int proid = 0;
    int parid = 0;
    QString name;
    int kind = Entry;
    // Sort key among siblings (proval1).
    QString sortKey;
};

} // namespace quill
