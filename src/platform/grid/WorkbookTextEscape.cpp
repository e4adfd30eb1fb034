#include "WorkbookTextEscape.h"

namespace quill::WorkbookTextEscape {

namespace {

constexpr qsizetype EscapeLength = 7; // "_xHHHH_"

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// The character an escape at `at` stands for; -1 when there is none.
int escapedAt(QStringView text, qsizetype at) {
    if (at + EscapeLength > text.size() || text[at] != u'_' || text[at + 1] != u'x' ||
        text[at + 6] != u'_')
        return -1;
    int value = 0;
    for (qsizetype k = at + 2; k < at + 6; ++k) {
        const int digit = hexValue(text[k]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

bool needsEscape(QChar c) {
    return c.unicode() < 0x20 && c != u'\t' && c != u'\n';
}

} // namespace

QString escape(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (needsEscape(c))
            out += QStringLiteral("_x") +
                   QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0') + u'_';
        else if (escapedAt(text, i) >= 0)
            out += QStringLiteral("_x005F_");
        else
            out += c;
    }
    return out;
}

QString decode(QStringView text) {
    if (!text.contains(u"_x"))
        return text.toString();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int value = escapedAt(text, i);
        if (value >= 0) {
            out += QChar(char16_t(value));
            i += EscapeLength - 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace quill::WorkbookTextEscape
