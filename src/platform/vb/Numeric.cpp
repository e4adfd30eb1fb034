#include "platform/vb/Numeric.h"

#include "platform/vb/NumberChars.h"

namespace quill::vb {

namespace {

bool isDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

} // namespace

std::optional<double> ParseNumber(QStringView text) {
    text = text.trimmed();
    const QChar* p = text.data();
    const QChar* const end = p + text.size();

    NumberChars chars;
    if (p != end && (*p == u'-' || *p == u'+')) {
        if (*p == u'-')
            chars.append('-');
        ++p;
    }
    bool anyDigit = false;
    for (; p != end && (isDigit(*p) || (*p == u',' && anyDigit && p + 1 != end && isDigit(p[1])));
         ++p) {
        if (*p != u',')
            chars.append(char(p->unicode()));
        anyDigit = true;
    }
    if (p != end && *p == u'.') {
        chars.append('.');
        for (++p; p != end && isDigit(*p); ++p) {
            chars.append(char(p->unicode()));
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (p != end && (*p == u'e' || *p == u'E')) {
        chars.append('e');
        ++p;
        if (p != end && (*p == u'-' || *p == u'+'))
            chars.append(char((p++)->unicode()));
        if (p == end || !isDigit(*p))
            return std::nullopt;
        for (; p != end && isDigit(*p); ++p)
            chars.append(char(p->unicode()));
    }
    if (p != end)
        return std::nullopt;
    return chars.toDouble();
}

} // namespace quill::vb
