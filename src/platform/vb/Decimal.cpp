#include "platform/vb/Decimal.h"

#include <charconv>

namespace quill::vb {

Decimal Decimal::fromDouble(double absValue) {
    Decimal d;
    if (absValue == 0.0)
        return d;
    char buffer[40];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, absValue, std::chars_format::scientific, 14);
    const char* p = buffer;
    for (; p != result.ptr && *p != 'e'; ++p) {
        if (*p != '.')
            d.m_digits.push_back(*p);
    }
    int exponent = 0;
    if (p != result.ptr)
        std::from_chars(p + (p[1] == '+' ? 2 : 1), result.ptr, exponent);
    d.m_point = exponent + 1;
    d.trimTrailingZeros();
    return d;
}

void Decimal::trimTrailingZeros() {
    while (!m_digits.empty() && m_digits.back() == '0')
        m_digits.pop_back();
    if (m_digits.empty())
        m_point = 0;
}

void Decimal::roundToFraction(int fractionDigits) {
    const long keep = long(m_point) + fractionDigits;
    if (keep >= long(m_digits.size()))
        return;
    if (keep < 0) {
        m_digits.clear();
        m_point = 0;
        return;
    }
    const bool up = m_digits[size_t(keep)] >= '5';
    m_digits.resize(size_t(keep));
    if (up) {
        long i = keep - 1;
        for (; i >= 0 && m_digits[size_t(i)] == '9'; --i)
            m_digits[size_t(i)] = '0';
        if (i >= 0) {
            ++m_digits[size_t(i)];
        } else {
            m_digits.insert(m_digits.begin(), '1');
            ++m_point;
        }
    }
    trimTrailingZeros();
}

std::string Decimal::integerDigits() const {
    if (m_point <= 0)
        return {};
    std::string result = m_digits.substr(0, size_t(m_point));
    result.resize(size_t(m_point), '0');
    return result;
}

std::string Decimal::fractionDigits(int count) const {
    std::string result(size_t(count > 0 ? count : 0), '0');
    for (int i = 0; i < count; ++i) {
        const long index = long(m_point) + i;
        if (index >= 0 && index < long(m_digits.size()))
            result[size_t(i)] = m_digits[size_t(index)];
    }
    return result;
}

} // namespace quill::vb
