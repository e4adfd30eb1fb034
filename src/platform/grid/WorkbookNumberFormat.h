#pragma once

#include <QString>

namespace quill {

// How a workbook number format shows a number, for the formats a sheet of
// this system holds: general, fixed decimals ("0", "0.00", "#,##0.00",
// "#0.00"), percentages, dates and times. Other codes show as general.
class WorkbookNumberFormat {
public:
    WorkbookNumberFormat() = default;
    // A format by its built-in number (0 general, 1 "0", 2 "0.00", 14 date, ...).
    static WorkbookNumberFormat builtIn(int id);
    // A format by its code text.
    static WorkbookNumberFormat fromCode(const QString& code);
    // The format code a writer gives a plain decimal number of that many decimals.
    static QString fixedCode(int decimals);

    QString format(double value) const;

private:
    enum class Kind { General, Fixed, Date, Time, DateTime };

    Kind m_kind = Kind::General;
    int m_decimals = 0;
    bool m_grouping = false;
    bool m_percent = false;
};

} // namespace quill
