#pragma once

#include "demo/DemoColumn.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quill {

// A table of the demo database. Data tables carry the module title that
// selects them (the proname of their zdb1 table row); shared tables have none
// and are not in the dictionary.
struct DemoTable {
    QString name;
    QString moduleTitle;
    QList<DemoColumn> columns;
    // A whole-number key the database assigns (zdb1/zdb3 proid); empty: none.
    QString identity;
    // Indexes for the queries the windows run, each a column list ("a,b").
    QStringList indexed;

    bool isDataTable() const { return !moduleTitle.isEmpty(); }
    QStringList fields() const {
        QStringList out;
        for (const DemoColumn& c : columns)
            out << c.field;
        return out;
    }
};

} // namespace quill
