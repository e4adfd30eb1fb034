#pragma once

#include <QDate>
#include <QString>

namespace quill {

// One employee of the demo data (a YGZL row) with what the pay and attendance
// rows repeat of it.
struct DemoEmployee {
    QString memberid;
    QString name;
    QString sex;
    int department = 0; // proid of the unit in zdb3
    int team = 0;
    int group = 0;
    QDate birthday;
    QString education;
    QString cardNo;
    QDate joined;
    bool active = true;
    QString photo; // empty: no picture
    QString note;  // empty: null
    int baseSalaryCents = 0;
};

} // namespace quill
