#include "PlainNumber.h"

#include "platform/vb/AsciiDigit.h"

#include <QString>

namespace quill {

std::optional<PlainNumber> PlainNumber::parse(QStringView text) {
    // A spreadsheet keeps 15 digits of a number.
    constexpr qsizetype MaxDigits = 15;
    if (text.isEmpty())
        return std::nullopt;
    qsizetype i = text[0] == u'-' ? 1 : 0;
    const qsizetype intFrom = i;
    while (i < text.size() && vb::isAsciiDigit(text[i]))
        ++i;
    const qsizetype intDigits = i - intFrom;
    if (intDigits == 0 || (intDigits > 1 && text[intFrom] == u'0'))
        return std::nullopt;
    int decimals = 0;
    if (i < text.size()) {
        if (text[i] != u'.')
            return std::nullopt;
        ++i;
        const qsizetype fracFrom = i;
        while (i < text.size() && vb::isAsciiDigit(text[i]))
            ++i;
        decimals = int(i - fracFrom);
        if (decimals == 0 || i != text.size())
            return std::nullopt;
    }
    if (intDigits + decimals > MaxDigits)
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || (value == 0 && text[0] == u'-'))
        return std::nullopt;
    if (QString::number(value, 'f', decimals) != text)
        return std::nullopt;
    return PlainNumber{value, decimals};
}

} // namespace quill
