#pragma once

#include <QStringView>
#include <optional>

namespace quill::vb {

// A text that is a number as a whole: blanks around it, an optional sign,
// digits (thousands commas allowed in the whole part), an optional decimal
// point and exponent. "12abc", "", "-" and "1.2.3" are not numbers.
std::optional<double> ParseNumber(QStringView text);

inline bool IsNumeric(QStringView text) {
    return ParseNumber(text).has_value();
}

} // namespace quill::vb
