#include "suite/SettingsEscape.h"

#include <vector>

namespace quill {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The character of a reference "&#N;" at `at`, and the reference's length.
struct Reference {
    char32_t character = 0;
    qsizetype length = 0;
};

std::optional<Reference> referenceAt(QStringView text, qsizetype at) {
    constexpr qsizetype MaxDigits = 7;
    if (!text.sliced(at).startsWith(QLatin1String("&#")))
        return std::nullopt;
    char32_t number = 0;
    qsizetype i = at + 2;
    while (i < text.size() && i - at - 2 < MaxDigits && text[i].isDigit() &&
           text[i].unicode() < 0x80) {
        number = number * 10 + char32_t(text[i].unicode() - u'0');
        ++i;
    }
    const bool digits = i > at + 2;
    if (!digits || i == text.size() || text[i] != QLatin1Char(';') || number > 0x10FFFF ||
        (number >= 0xD800 && number <= 0xDFFF))
        return std::nullopt;
    return Reference{number, i + 1 - at};
}

bool mustEncode(QStringView text, qsizetype i, bool outerBlank, SettingsEscape::Part part) {
    const QChar c = text[i];
    if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0xFEFF) || outerBlank)
        return true;
    if (c == QLatin1Char('&'))
        return referenceAt(text, i).has_value();
    if (part != SettingsEscape::Part::Key)
        return false;
    return c == QLatin1Char('=') ||
           (i == 0 && (c == QLatin1Char(';') || c == QLatin1Char('#') || c == QLatin1Char('[')));
}

// One piece of a text of the earlier format: a character as it stands, an
// escaped blank or tab, or another escape.
struct EarlierPiece {
    enum Kind { Plain, Blank, Escape };
    Kind kind;
    QChar character;
};

} // namespace

QString SettingsEscape::encode(QStringView text, Part part) {
    qsizetype first = 0;
    qsizetype last = text.size() - 1;
    while (first < text.size() && isBlank(text[first]))
        ++first;
    while (last >= first && isBlank(text[last]))
        --last;
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (mustEncode(text, i, i < first || i > last, part))
            out += QStringLiteral("&#%1;").arg(text[i].unicode());
        else
            out += text[i];
    }
    return out;
}

QString SettingsEscape::decode(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const auto ref = referenceAt(text, i)) {
            // Not through fromUcs4, which would drop a byte-order mark.
            if (QChar::requiresSurrogates(ref->character)) {
                out += QChar(QChar::highSurrogate(ref->character));
                out += QChar(QChar::lowSurrogate(ref->character));
            } else {
                out += QChar(char16_t(ref->character));
            }
            i += ref->length - 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::optional<QString> SettingsEscape::decodeEarlier(QStringView text, Part part) {
    std::vector<EarlierPiece> pieces;
    pieces.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\')) {
            pieces.push_back({EarlierPiece::Plain, text[i]});
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i].unicode()) {
        case u'\\':
            pieces.push_back({EarlierPiece::Escape, QLatin1Char('\\')});
            break;
        case u'n':
            pieces.push_back({EarlierPiece::Escape, QLatin1Char('\n')});
            break;
        case u'r':
            pieces.push_back({EarlierPiece::Escape, QLatin1Char('\r')});
            break;
        case u's':
            pieces.push_back({EarlierPiece::Blank, QLatin1Char(' ')});
            break;
        case u't':
            pieces.push_back({EarlierPiece::Blank, QLatin1Char('\t')});
            break;
        case u'=':
            if (part != Part::Key)
                return std::nullopt;
            pieces.push_back({EarlierPiece::Escape, text[i]});
            break;
        case u';':
        case u'#':
        case u'[':
            if (part != Part::Key || !pieces.empty())
                return std::nullopt;
            pieces.push_back({EarlierPiece::Escape, text[i]});
            break;
        default:
            return std::nullopt;
        }
    }
    // That writer escaped blanks and tabs only at either end.
    std::size_t lead = 0;
    while (lead < pieces.size() && pieces[lead].kind == EarlierPiece::Blank)
        ++lead;
    std::size_t trail = pieces.size();
    while (trail > lead && pieces[trail - 1].kind == EarlierPiece::Blank)
        --trail;
    QString out;
    out.reserve(qsizetype(pieces.size()));
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].kind == EarlierPiece::Blank && i >= lead && i < trail)
            return std::nullopt;
        out += pieces[i].character;
    }
    return out;
}

} // namespace quill
