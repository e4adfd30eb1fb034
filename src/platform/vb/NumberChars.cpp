#include "platform/vb/NumberChars.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace quill::vb {

namespace {

// Decimal exponent of the leading significant digit, enough to tell an
// overflow from an underflow.
long magnitude(const char* first, const char* last) {
    long exponent = 0;
    const char* e = first;
    while (e != last && *e != 'e')
        ++e;
    if (e != last) {
        const char* digits = e + 1;
        if (digits != last && *digits == '+')
            ++digits;
        if (std::from_chars(digits, last, exponent).ec == std::errc::result_out_of_range)
            exponent = *digits == '-' ? -1000000L : 1000000L;
        exponent = std::clamp(exponent, -1000000L, 1000000L);
    }
    long intDigits = 0;
    bool significant = false;
    long leadingFractionZeros = 0;
    bool inFraction = false;
    for (const char* p = first; p != e; ++p) {
        if (*p == '.') {
            inFraction = true;
        } else if (*p >= '0' && *p <= '9') {
            if (*p != '0')
                significant = true;
            if (!inFraction && significant)
                ++intDigits;
            if (inFraction && !significant)
                ++leadingFractionZeros;
        }
    }
    return (intDigits > 0 ? intDigits - 1 : -(leadingFractionZeros + 1)) + exponent;
}

} // namespace

void NumberChars::readSign(const QChar*& p, const QChar* end) {
    if (p != end && (*p == u'-' || *p == u'+')) {
        if (*p == u'-')
            append('-');
        ++p;
    }
}

bool NumberChars::readDigits(const QChar*& p, const QChar* end) {
    const QChar* const first = p;
    for (; p != end && isAsciiDigit(*p); ++p)
        append(char(p->unicode()));
    return p != first;
}

bool NumberChars::readFraction(const QChar*& p, const QChar* end) {
    if (p == end || *p != u'.')
        return false;
    append('.');
    return readDigits(++p, end);
}

double NumberChars::toDouble() const {
    const char* first = m_chars.data();
    const char* last = first + m_chars.size();
    double value = 0.0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        const bool negative = first != last && *first == '-';
        if (magnitude(first, last) <= 0)
            return negative ? -0.0 : 0.0;
        // The largest double written with 15 digits rounds up past itself
        // ("1.79769313486232E+308"): whatever rounds to that text is it.
        constexpr long double LargestWritten = 1.797693134862325e308L;
        long double wide = 0;
        const bool largest = std::from_chars(first, last, wide).ec == std::errc() &&
                             std::fabs(wide) < LargestWritten;
        const double limit =
            largest ? std::numeric_limits<double>::max() : std::numeric_limits<double>::infinity();
        return negative ? -limit : limit;
    }
    return value;
}

} // namespace quill::vb
