#pragma once

#include <QDate>
#include <QString>

#include <cstdint>

namespace quill {

// Size and seed of a demo data set. The same options give the same rows on
// every engine.
struct DemoOptions {
    // Employee numbers have six digits; periods run month by month.
    static constexpr int MaxEmployees = 999999;
    static constexpr int MaxPeriods = 1200;

    int employees = 60;
    int periods = 3;
    std::uint64_t seed = 1;
    // First day of the first accounting period; the periods follow month by month.
    QDate firstPeriod = QDate(2026, 1, 1);
    // Folder of the employee pictures that YGZL.PHOTO names (no trailing "/").
    QString photoFolder;
    // How many employees get a picture of their own; the others have none.
    int photos = 8;
};

} // namespace quill
