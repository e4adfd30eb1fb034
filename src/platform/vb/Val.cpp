#include "platform/vb/Val.h"

#include "platform/vb/NumberChars.h"

namespace quill::vb {

double Val(QStringView text) {
    const QChar* p = text.data();
    const QChar* const end = p + text.size();
    while (p != end && (*p == u' ' || *p == u'\t' || *p == u'\n' || *p == u'\r'))
        ++p;

    NumberChars chars;
    chars.readSign(p, end);
    bool anyDigit = chars.readDigits(p, end);
    anyDigit |= chars.readFraction(p, end);
    if (!anyDigit)
        return 0.0;
    if (p != end && (*p == u'e' || *p == u'E')) {
        const QChar* q = p + 1;
        char sign = 0;
        if (q != end && (*q == u'-' || *q == u'+'))
            sign = char((q++)->unicode());
        if (q != end && isAsciiDigit(*q)) {
            chars.append('e');
            if (sign)
                chars.append(sign);
            chars.readDigits(q, end);
        }
    }
    return chars.toDouble();
}

} // namespace quill::vb
