#include "PlainNumber.h"

#include "platform/vb/AsciiDigit.h"

#include <array>
#include <cstdint>

namespace quill {

namespace {

// A spreadsheet keeps 15 digits of a number.
constexpr qsizetype MaxDigits = 15;

constexpr std::array<double, MaxDigits + 1> powersOfTen() {
    std::array<double, MaxDigits + 1> powers{};
    double p = 1;
    for (double& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}

} // namespace

std::optional<PlainNumber> PlainNumber::parse(QStringView text) {
    if (text.isEmpty())
        return std::nullopt;
    // The digits as one integer, read while they fit the digits kept.
    std::int64_t digits = 0;
    qsizetype count = 0;
    const auto take = [&](QChar c) {
        if (++count <= MaxDigits)
            digits = digits * 10 + (c.unicode() - u'0');
    };
    qsizetype i = text[0] == u'-' ? 1 : 0;
    const qsizetype intFrom = i;
    for (; i < text.size() && vb::isAsciiDigit(text[i]); ++i)
        take(text[i]);
    const qsizetype intDigits = i - intFrom;
    if (intDigits == 0 || (intDigits > 1 && text[intFrom] == u'0'))
        return std::nullopt;
    int decimals = 0;
    if (i < text.size()) {
        if (text[i] != u'.')
            return std::nullopt;
        ++i;
        const qsizetype fracFrom = i;
        for (; i < text.size() && vb::isAsciiDigit(text[i]); ++i)
            take(text[i]);
        decimals = int(i - fracFrom);
        if (decimals == 0 || i != text.size())
            return std::nullopt;
    }
    if (count > MaxDigits || (digits == 0 && text[0] == u'-'))
        return std::nullopt;
    // Both operands are exact and the division rounds once, so the value is
    // the double nearest the text; with at most 15 digits it prints back to
    // the very same text.
    static constexpr std::array<double, MaxDigits + 1> Powers = powersOfTen();
    const double magnitude = double(digits) / Powers[std::size_t(decimals)];
    return PlainNumber{text[0] == u'-' ? -magnitude : magnitude, decimals};
}

} // namespace quill
