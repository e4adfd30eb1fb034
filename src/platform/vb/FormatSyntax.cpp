#include "platform/vb/FormatSyntax.h"

namespace quill::vb::FormatSyntax {

std::vector<QStringView> sections(QStringView format, FormatCodes codes) {
    std::vector<QStringView> result;
    const bool workbook = isWorkbook(codes);
    qsizetype start = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'"') {
            while (i + 1 < format.size() && format[i + 1] != u'"')
                ++i;
            ++i;
        } else if (c == u'\\' || (workbook && (c == u'_' || c == u'*'))) {
            ++i;
        } else if (workbook && c == u'[') {
            i = bracket(format, i).end - 1;
        } else if (c == u';') {
            result.push_back(format.mid(start, i - start));
            start = i + 1;
        }
    }
    result.push_back(format.mid(std::min(start, format.size())));
    return result;
}

Bracket bracket(QStringView format, qsizetype at) {
    Bracket b;
    qsizetype close = format.indexOf(u']', at + 1);
    if (close < 0)
        close = format.size();
    b.end = std::min(close + 1, format.size());
    const QStringView inside = format.mid(at + 1, close - at - 1);
    if (inside.startsWith(u'$')) {
        // "[$¥-804]": the text before the locale number is shown.
        const qsizetype dash = inside.indexOf(u'-');
        b.text = inside.mid(1, dash < 0 ? -1 : dash - 1).toString();
        b.kind = b.text.isEmpty() ? Bracket::Kind::Ignored : Bracket::Kind::Literal;
        return b;
    }
    if (inside.isEmpty())
        return b;
    const QChar letter = inside[0].toLower();
    for (const QChar c : inside) {
        if (c.toLower() != letter)
            return b;
    }
    b.width = int(inside.size());
    if (letter == u'h')
        b.kind = Bracket::Kind::ElapsedHours;
    else if (letter == u'm')
        b.kind = Bracket::Kind::ElapsedMinutes;
    else if (letter == u's')
        b.kind = Bracket::Kind::ElapsedSeconds;
    return b;
}

} // namespace quill::vb::FormatSyntax
