#pragma once

#include <string>

namespace quill::vb {

// A non-negative number as decimal digits, the form in which numbers are shown
// and rounded: a double is taken to 15 significant digits first, so 2.675
// (stored as 2.67499999…) rounds to 2.68 as a person expects.
class Decimal {
public:
    // absValue must be finite and not negative.
    static Decimal fromDouble(double absValue);

    bool isZero() const { return m_digits.empty(); }
    // Position of the decimal point: the value is 0.digits × 10^point.
    int point() const { return m_point; }
    const std::string& digits() const { return m_digits; }

    // Keeps fractionDigits digits after the point, half away from zero.
    void roundToFraction(int fractionDigits);
    // Multiplies by 10^exponent.
    void shift(int exponent) { m_point += isZero() ? 0 : exponent; }

    // Digits before the point without leading zeros ("" for a value below 1).
    std::string integerDigits() const;
    // The first count digits after the point, with zeros where there are none.
    std::string fractionDigits(int count) const;

private:
    void trimTrailingZeros();

    std::string m_digits;
    int m_point = 0;
};

} // namespace quill::vb
