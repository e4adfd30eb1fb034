#pragma once

#include <QString>

namespace quill {

// The range of a report run as the command line gives it, "first" or
// "first:last", checked and stored by the period and date dialogs' own rules
// for the current table. Each returns "" when the range is stored, else why
// it is refused (nothing stored); a period list that cannot be read raises
// DbError.
class ReportRange {
public:
    static QString applyPeriod(const QString& given);
    static QString applyDate(const QString& given);
};

} // namespace quill
