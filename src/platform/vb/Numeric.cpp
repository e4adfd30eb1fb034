#include "platform/vb/Numeric.h"

#include "platform/vb/NumberChars.h"

namespace quill::vb {

std::optional<double> ParseNumber(QStringView text) {
    text = text.trimmed();
    const QChar* p = text.data();
    const QChar* const end = p + text.size();

    NumberChars chars;
    chars.readSign(p, end);
    bool anyDigit = false;
    for (; p != end &&
           (isAsciiDigit(*p) || (*p == u',' && anyDigit && p + 1 != end && isAsciiDigit(p[1])));
         ++p) {
        if (*p != u',')
            chars.append(char(p->unicode()));
        anyDigit = true;
    }
    anyDigit |= chars.readFraction(p, end);
    if (!anyDigit)
        return std::nullopt;
    if (p != end && (*p == u'e' || *p == u'E')) {
        chars.append('e');
        ++p;
        if (p != end && (*p == u'-' || *p == u'+'))
            chars.append(char((p++)->unicode()));
        if (!chars.readDigits(p, end))
            return std::nullopt;
    }
    if (p != end)
        return std::nullopt;
    return chars.toDouble();
}

} // namespace quill::vb
