#include "platform/vb/NumberFormat.h"

#include "platform/vb/Decimal.h"
#include "platform/vb/PlainText.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quill::vb {

namespace {

bool isPlaceholder(QChar c) {
    return c == u'0' || c == u'#' || c == u'?';
}

// Splits at ";" outside quotes and escapes.
std::vector<QStringView> splitSections(QStringView format) {
    std::vector<QStringView> sections;
    qsizetype start = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == u'"') {
            while (i + 1 < format.size() && format[i + 1] != u'"')
                ++i;
            ++i;
        } else if (format[i] == u'\\') {
            ++i;
        } else if (format[i] == u';') {
            sections.push_back(format.mid(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(format.mid(start));
    return sections;
}

} // namespace

NumberFormat NumberFormat::compile(QStringView format, Path path) {
    NumberFormat result;
    for (QStringView section : splitSections(format))
        result.m_sections.push_back(compileSection(section));
    if (path == Path::Fast && result.m_sections.size() == 1) {
        if (const std::optional<int> zeros = plainWholeZeros(result.m_sections[0])) {
            result.m_plainWhole = *zeros;
            result.m_plainDecimals = result.m_sections[0].fractionCount;
        }
    }
    return result;
}

NumberFormat NumberFormat::general() {
    NumberFormat result;
    result.m_general = true;
    return result;
}

NumberFormat::Section NumberFormat::compileSection(QStringView text) {
    Section s;
    QString literal;
    auto flushLiteral = [&] {
        if (!literal.isEmpty()) {
            s.items.push_back({Item::Type::Literal, literal});
            literal.clear();
        }
    };
    int pendingCommas = 0;
    bool seenPoint = false;
    qsizetype exponentItem = -1;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            for (++i; i < n && text[i] != u'"'; ++i)
                literal.append(text[i]);
            continue;
        }
        if (c == u'\\') {
            if (i + 1 < n)
                literal.append(text[++i]);
            continue;
        }
        if (isPlaceholder(c)) {
            if (exponentItem >= 0) {
                if (c == u'0')
                    ++s.items[size_t(exponentItem)].expDigits;
                continue;
            }
            flushLiteral();
            if (!seenPoint) {
                if (pendingCommas > 0)
                    s.grouping = true;
                pendingCommas = 0;
                Item item{Item::Type::Whole, {}, c.unicode()};
                item.index = s.wholeCount++;
                s.items.push_back(item);
            } else {
                s.items.push_back({Item::Type::Fraction, {}, c.unicode()});
                s.fractionPlaceholders.push_back(c.unicode());
                ++s.fractionCount;
            }
            continue;
        }
        if (c == u',' && !seenPoint && exponentItem < 0 && s.wholeCount > 0) {
            ++pendingCommas;
            continue;
        }
        s.scaleThousands += pendingCommas;
        pendingCommas = 0;
        if (c == u'.' && !seenPoint && exponentItem < 0) {
            flushLiteral();
            s.items.push_back({Item::Type::Point});
            seenPoint = true;
            continue;
        }
        if ((c == u'E' || c == u'e') && exponentItem < 0 && !s.literalOnly() && i + 1 < n &&
            (text[i + 1] == u'+' || text[i + 1] == u'-')) {
            flushLiteral();
            Item item{Item::Type::Exponent};
            item.expPlus = text[i + 1] == u'+';
            item.expUpper = c == u'E';
            exponentItem = qsizetype(s.items.size());
            s.items.push_back(item);
            s.exponent = true;
            ++i;
            continue;
        }
        if (c == u'%')
            ++s.percents;
        literal.append(c);
    }
    s.scaleThousands += pendingCommas;
    flushLiteral();

    // ".00" still shows the whole digits of 12.5: a "#" before the point.
    if (!s.literalOnly() && s.wholeCount == 0) {
        auto at = s.items.begin();
        while (at != s.items.end() && at->type != Item::Type::Point &&
               at->type != Item::Type::Fraction)
            ++at;
        s.items.insert(at, Item{Item::Type::Whole, {}, u'#'});
        s.wholeCount = 1;
    }
    return s;
}

std::optional<int> NumberFormat::plainWholeZeros(const Section& s) {
    if (s.grouping || s.scaleThousands != 0 || s.percents != 0 || s.exponent)
        return std::nullopt;
    int zeros = 0;
    bool point = false;
    for (const Item& item : s.items) {
        if (item.type == Item::Type::Whole && item.digit == u'0')
            ++zeros;
        else if (item.type == Item::Type::Whole && item.digit == u'#' && zeros == 0)
            continue;
        else if (item.type == Item::Type::Point)
            point = true;
        else if (item.type != Item::Type::Fraction || item.digit != u'0')
            return std::nullopt;
    }
    if (zeros == 0 || point != (s.fractionCount > 0))
        return std::nullopt;
    return zeros;
}

QString NumberFormat::render(const Section& s, double absValue, bool* shownNonZero) {
    QString out;
    *shownNonZero = false;
    if (s.literalOnly()) {
        for (const Item& item : s.items)
            out.append(item.text);
        return out;
    }

    Decimal d = Decimal::fromDouble(absValue);
    d.shift(2 * s.percents - 3 * s.scaleThousands);
    int exponent = 0;
    if (s.exponent && !d.isZero()) {
        exponent = d.point() - 1;
        d.shift(-exponent);
    }
    d.roundToFraction(s.fractionCount);
    if (s.exponent && d.point() > 1) {
        d.shift(-1);
        ++exponent;
    }
    *shownNonZero = !d.isZero();

    const std::string whole = d.integerDigits();
    const std::string fraction = d.fractionDigits(s.fractionCount);
    out.reserve(qsizetype(whole.size() + fraction.size()) * 2 + 8);

    // Fraction digits: trailing zeros under "#" or "?" are left out.
    int shownFraction = s.fractionCount;
    while (shownFraction > 0 && s.fractionPlaceholders[size_t(shownFraction - 1)] != u'0' &&
           fraction[size_t(shownFraction - 1)] == '0')
        --shownFraction;

    // Whole digits: right-aligned on the placeholders; extra leading digits go
    // with the first placeholder.
    std::vector<QString> wholeParts(size_t(s.wholeCount));
    const int digitCount = int(whole.size());
    for (const Item& item : s.items) {
        if (item.type != Item::Type::Whole)
            continue;
        const int fromRight = s.wholeCount - 1 - item.index;
        QString& part = wholeParts[size_t(item.index)];
        if (fromRight < digitCount)
            part = QChar(whole[size_t(digitCount - 1 - fromRight)]);
        else if (item.digit == u'0')
            part = QStringLiteral("0");
        else if (item.digit == u'?')
            part = QStringLiteral(" ");
        if (item.index == 0 && digitCount > s.wholeCount)
            part.prepend(QLatin1StringView(whole.data(), digitCount - s.wholeCount));
    }
    int wholeDigitsLeft = 0;
    for (const QString& part : wholeParts) {
        for (QChar c : part)
            wholeDigitsLeft += c.isDigit() ? 1 : 0;
    }
    const int totalWholeDigits = wholeDigitsLeft;

    int fractionIndex = 0;
    for (const Item& item : s.items) {
        switch (item.type) {
        case Item::Type::Literal:
            out.append(item.text);
            break;
        case Item::Type::Whole:
            for (QChar c : wholeParts[size_t(item.index)]) {
                if (c.isDigit()) {
                    if (s.grouping && wholeDigitsLeft != totalWholeDigits &&
                        wholeDigitsLeft % 3 == 0)
                        out.append(u',');
                    --wholeDigitsLeft;
                }
                out.append(c);
            }
            break;
        case Item::Type::Point:
            out.append(u'.');
            break;
        case Item::Type::Fraction:
            if (fractionIndex < shownFraction)
                out.append(QChar(fraction[size_t(fractionIndex)]));
            else if (item.digit == u'?')
                out.append(u' ');
            ++fractionIndex;
            break;
        case Item::Type::Exponent: {
            out.append(item.expUpper ? u'E' : u'e');
            if (exponent < 0)
                out.append(u'-');
            else if (item.expPlus)
                out.append(u'+');
            out.append(QString::number(std::abs(exponent)).rightJustified(item.expDigits, u'0'));
            break;
        }
        }
    }
    return out;
}

QString NumberFormat::applyPlainDecimal(double value) const {
    Decimal d = Decimal::fromDouble(std::fabs(value));
    d.roundToFraction(m_plainDecimals);
    const std::string& digits = d.digits();
    const int count = int(digits.size());
    const int point = d.point();
    // digits[i] stands at 10^(point - 1 - i): the whole digits are those from
    // point - whole, zeros where there are none.
    const int whole = std::max(point, m_plainWhole);
    const bool sign = value < 0 && !d.isZero(); // no "-0.00"
    QString text(qsizetype(sign) + whole + (m_plainDecimals > 0 ? m_plainDecimals + 1 : 0),
                 Qt::Uninitialized);
    QChar* out = text.data();
    if (sign)
        *out++ = u'-';
    for (int i = point - whole; i < point + m_plainDecimals; ++i) {
        if (i == point)
            *out++ = u'.';
        *out++ = QLatin1Char(i >= 0 && i < count ? digits[size_t(i)] : '0');
    }
    return text;
}

QString NumberFormat::apply(double value) const {
    if (m_general || m_sections.empty() || !std::isfinite(value))
        return NumberText(value);
    if (m_plainDecimals >= 0)
        return applyPlainDecimal(value);
    const Section* section = &m_sections[0];
    bool sign = value < 0;
    if (value < 0 && m_sections.size() >= 2 && !m_sections[1].items.empty()) {
        section = &m_sections[1];
        sign = false;
    } else if (value == 0 && m_sections.size() >= 3 && !m_sections[2].items.empty()) {
        section = &m_sections[2];
    }
    bool shownNonZero = false;
    QString text = render(*section, std::fabs(value), &shownNonZero);
    if (sign && shownNonZero)
        text.prepend(u'-');
    return text;
}

} // namespace quill::vb
