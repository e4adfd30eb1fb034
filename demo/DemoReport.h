#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quill {

// A saved report of the demo: its display, sort, sum and group items (field
// names) and stored conditions, as the designer would have stored them.
struct DemoReport {
    struct Condition {
        QString connective; // as shown in the grid: "", "并且" or "或者"
        QString field;
        QString op;
        QString value; // as shown: a unit's name for department, team and group
    };

    QString name;
    QString table;
    QStringList display;
    QStringList sort;
    QStringList sum;
    QStringList group;
    QList<Condition> conditions;
    // The report has a workbook template ReportFolder/<name>.vts.
    bool hasTemplate = false;
};

} // namespace quill
