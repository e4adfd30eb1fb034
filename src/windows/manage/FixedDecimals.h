#pragma once

#include <QString>

#include <optional>

namespace quill {

// The plain decimal formats of the dictionary ("#0.00", "##0.00", "0.0",
// "#0") shown without the general format machinery: the same text as
// vb::Format gives for them (15 significant digits, rounded half away from
// zero, at least one whole digit, no sign on a value shown as zero), made
// in one pass, as a result sheet formats tens of thousands of amounts.
class FixedDecimals {
public:
    // The decimals of such a format; nothing for any other format.
    static std::optional<int> of(const QString& format);

    explicit FixedDecimals(int decimals)
        : m_decimals(decimals) {}

    // Nothing for a value this shortcut does not take (not finite).
    std::optional<QString> format(double value) const;

private:
    int m_decimals;
};

} // namespace quill
