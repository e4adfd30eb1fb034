#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace quill {

// The module-wide query state shared by all windows (range bounds, edited and
// active conditions, the chosen report, the sum items) and the routines that
// turn it into the WHERE part of the current query and into cell references.
// One instance per loaded module; windows read and write its members directly.
class Mdlx {
public:
    static constexpr int MaxConditions = 30;
    static constexpr int MaxSumFields = 100;

    // Columns of a condition row.
    enum ConditionColumn { Connective = 0, Item = 1, Operator = 2, Value = 3 };
    using ConditionRow = std::array<QString, 4>;
    using ConditionTable = std::array<ConditionRow, MaxConditions>;

    static Mdlx& instance();
    // Back to the state of a freshly loaded module (all texts empty, counts 0).
    void reset();

    QString DateFrom;
    QString DateTo;
    QString PeriodFrom;
    QString PeriodTo;
    ConditionTable EditedConditions;
    std::int16_t EditedCount = 0;
    ConditionTable ActiveConditions;
    std::int16_t ActiveCount = 0;
    QString CaptionPrefix;
    QString RangeCaption;
    std::int16_t CurrentReportIndex = 0;
    std::array<QString, MaxSumFields> SumFields;
    std::int32_t SumCount = 0;

    // "$" and the spreadsheet name of column n (1..99); "$CL" for any other n.
    static QString ColumnRef(std::int32_t n);
    // "$" and n in decimal.
    static QString RowRef(std::int32_t n);

    // The range a run of the current table starts with: RangeKind "time1"
    // when it has zhtime, else "date1" when it has zhdate, else none; the
    // dates from the suite's Date1 and Date2, both periods its CurrentPeriod.
    void startRange();
    // Makes the bracketed range caption, stores prefix + caption in the
    // suite's QueryCaption and returns QueryCaption as the suite holds it.
    QString RangeCaptionFor(const QString& prefix);
    // Checks the date and time values of the first count edited conditions;
    // on success makes the edited conditions active and returns empty text,
    // otherwise returns item + "格式不对" and changes nothing.
    QString CommitConditions(std::int16_t count);
    // Rebuilds the suite's SqlWhere from the range, the active conditions and
    // the extra filter, and sets FilterCaption1..3.
    void BuildSelection();

private:
    Mdlx() = default;
};

} // namespace quill
