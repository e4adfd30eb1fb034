#include "windows/manage/FixedDecimals.h"

#include <charconv>
#include <cmath>

namespace quill {

std::optional<int> FixedDecimals::of(const QString& format) {
    qsizetype i = 0;
    while (i < format.size() && format.at(i) == u'#')
        ++i;
    if (i >= format.size() || format.at(i) != u'0')
        return std::nullopt;
    ++i;
    if (i == format.size())
        return 0;
    if (format.at(i) != u'.' || i + 1 == format.size())
        return std::nullopt;
    for (qsizetype j = i + 1; j < format.size(); ++j) {
        if (format.at(j) != u'0')
            return std::nullopt;
    }
    return int(format.size() - i - 1);
}

std::optional<QString> FixedDecimals::format(double value) const {
    if (!std::isfinite(value) || m_decimals > 30)
        return std::nullopt;
    // 15 significant digits and the position of the point: 0.digits x 10^point.
    char digits[24] = {};
    int count = 0;
    int point = 0;
    if (value != 0) {
        char buffer[40];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                          std::chars_format::scientific, 14);
        const char* p = buffer;
        for (; p != result.ptr && *p != 'e'; ++p) {
            if (*p != '.')
                digits[count++] = *p;
        }
        int exponent = 0;
        if (p != result.ptr)
            std::from_chars(p + (p[1] == '+' ? 2 : 1), result.ptr, exponent);
        point = exponent + 1;
        while (count > 0 && digits[count - 1] == '0')
            --count;
    }
    // Round half away from zero to the decimals.
    const long keep = long(point) + m_decimals;
    if (keep < count) {
        if (keep < 0) {
            count = 0;
        } else {
            const bool up = digits[keep] >= '5';
            count = int(keep);
            if (up) {
                long i = keep - 1;
                for (; i >= 0 && digits[i] == '9'; --i)
                    digits[i] = '0';
                if (i >= 0) {
                    ++digits[i];
                } else {
                    for (int j = count; j > 0; --j)
                        digits[j] = digits[j - 1];
                    digits[0] = '1';
                    ++count;
                    ++point;
                }
            }
        }
        while (count > 0 && digits[count - 1] == '0')
            --count;
    }
    if (count == 0)
        point = 0;

    QString text;
    text.reserve((point > 0 ? point : 1) + m_decimals + 2);
    if (value < 0 && count > 0)
        text.append(u'-');
    if (point <= 0)
        text.append(u'0');
    for (int i = 0; i < point; ++i)
        text.append(QChar(i < count ? digits[i] : '0'));
    if (m_decimals > 0) {
        text.append(u'.');
        for (int i = 0; i < m_decimals; ++i) {
            const int index = point + i;
            text.append(QChar(index >= 0 && index < count ? digits[index] : '0'));
        }
    }
    return text;
}

} // namespace quill
