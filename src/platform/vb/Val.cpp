#include "platform/vb/Val.h"

#include "platform/vb/NumberChars.h"

namespace quill::vb {

double Val(QStringView text) {
    const QChar* p = text.data();
    const QChar* const end = p + text.size();
    while (p != end && (*p == u' ' || *p == u'\t' || *p == u'\n' || *p == u'\r'))
        ++p;

    NumberChars chars;
    if (p != end && (*p == u'-' || *p == u'+')) {
        if (*p == u'-')
            chars.append('-');
        ++p;
    }
    bool anyDigit = false;
    for (; p != end && p->unicode() >= '0' && p->unicode() <= '9'; ++p) {
        chars.append(char(p->unicode()));
        anyDigit = true;
    }
    if (p != end && *p == u'.') {
        chars.append('.');
        for (++p; p != end && p->unicode() >= '0' && p->unicode() <= '9'; ++p) {
            chars.append(char(p->unicode()));
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0.0;
    if (p != end && (*p == u'e' || *p == u'E')) {
        const QChar* q = p + 1;
        char sign = 0;
        if (q != end && (*q == u'-' || *q == u'+'))
            sign = char((q++)->unicode());
        if (q != end && q->unicode() >= '0' && q->unicode() <= '9') {
            chars.append('e');
            if (sign)
                chars.append(sign);
            for (; q != end && q->unicode() >= '0' && q->unicode() <= '9'; ++q)
                chars.append(char(q->unicode()));
        }
    }
    return chars.toDouble();
}

} // namespace quill::vb
