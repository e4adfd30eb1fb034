#pragma once

#include <QStringView>

#include <optional>

namespace quill {

// A text that is a plain decimal number ("12", "-3.50", "0.125"): an optional
// minus, digits without a leading zero, an optional point with digits, and a
// value that prints back to the very same text with that many decimals. Such
// a cell is a number in a workbook; "007", "+5", "1e3", "-0" and "1,000" stay
// texts, since a number could not show them as written.
struct PlainNumber {
    double value = 0;
    int decimals = 0;

    static std::optional<PlainNumber> parse(QStringView text);
};

} // namespace quill
