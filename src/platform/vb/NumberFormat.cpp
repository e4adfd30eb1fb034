#include "platform/vb/NumberFormat.h"

#include "platform/vb/Decimal.h"
#include "platform/vb/FormatSyntax.h"
#include "platform/vb/PlainText.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quill::vb {

namespace {

bool isPlaceholder(QChar c) {
    return c == u'0' || c == u'#' || c == u'?';
}

} // namespace

NumberFormat NumberFormat::compile(QStringView format, Path path, FormatCodes codes) {
    NumberFormat result;
    result.m_emptySectionShowsNothing = isWorkbook(codes);
    for (QStringView section : FormatSyntax::sections(format, codes))
        result.m_sections.push_back(compileSection(section, codes));
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

NumberFormat::Section NumberFormat::compileSection(QStringView text, FormatCodes codes) {
    const bool workbook = isWorkbook(codes);
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
        if (workbook && c == u'[') {
            const FormatSyntax::Bracket b = FormatSyntax::bracket(text, i);
            if (b.kind == FormatSyntax::Bracket::Kind::Literal)
                literal.append(b.text);
            i = b.end - 1;
            continue;
        }
        if (workbook && (c == u'_' || c == u'*')) {
            // A blank as wide as the next character; a fill shows as nothing.
            if (c == u'_')
                literal.append(u' ');
            ++i;
            continue;
        }
        if (workbook && c == u'@')
            continue;
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
    if (workbook && !s.exponent && !seenPoint)
        findFraction(s);
    if (s.isFraction)
        return s;

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

void NumberFormat::findFraction(Section& s) {
    std::vector<Item>& items = s.items;
    for (size_t k = 1; k < items.size(); ++k) {
        const Item& slash = items[k];
        if (slash.type != Item::Type::Literal || !slash.text.startsWith(u'/') ||
            items[k - 1].type != Item::Type::Whole)
            continue;
        qsizetype fixedEnd = 1;
        while (fixedEnd < slash.text.size() && slash.text[fixedEnd].isDigit())
            ++fixedEnd;
        const bool placeholders = fixedEnd == 1 && slash.text.size() == 1 && k + 1 < items.size() &&
                                  items[k + 1].type == Item::Type::Whole;
        const int fixed = slash.text.mid(1, fixedEnd - 1).toInt();
        if (!placeholders && fixed <= 0)
            continue;
        size_t numeratorFrom = k - 1;
        while (numeratorFrom > 0 && items[numeratorFrom - 1].type == Item::Type::Whole)
            --numeratorFrom;
        for (size_t m = numeratorFrom; m < k; ++m)
            items[m].type = Item::Type::Numerator;
        std::vector<Item> rebuilt(items.begin(), items.begin() + qsizetype(k));
        rebuilt.push_back({Item::Type::Literal, QStringLiteral("/")});
        size_t rest = k + 1;
        if (placeholders) {
            for (; rest < items.size() && items[rest].type == Item::Type::Whole; ++rest) {
                rebuilt.push_back({Item::Type::Denominator, {}, items[rest].digit});
                ++s.denominatorDigits;
            }
        } else {
            rebuilt.push_back({Item::Type::Denominator, slash.text.mid(1, fixedEnd - 1)});
            if (fixedEnd < slash.text.size())
                rebuilt.push_back({Item::Type::Literal, slash.text.mid(fixedEnd)});
            s.fixedDenominator = fixed;
        }
        rebuilt.insert(rebuilt.end(), items.begin() + qsizetype(rest), items.end());
        items.swap(rebuilt);
        s.isFraction = true;
        s.wholeCount = 0;
        int index = 0;
        for (Item& item : items) {
            if (item.type == Item::Type::Whole) {
                item.index = index++;
                ++s.wholeCount;
            }
        }
        return;
    }
}

QString NumberFormat::renderFraction(const Section& s, double absValue, bool* shownNonZero) {
    const bool hasWhole = s.wholeCount > 0;
    // Beyond 15 digits no fraction is left to show.
    constexpr double LargestFraction = 1e15;
    if (!hasWhole && absValue >= LargestFraction) {
        *shownNonZero = true;
        return NumberText(absValue);
    }
    double whole = hasWhole ? std::floor(absValue) : 0.0;
    const double part = absValue - whole;
    long long numerator = 0;
    long long denominator = 1;
    if (s.fixedDenominator > 0) {
        denominator = s.fixedDenominator;
        numerator = std::llround(part * double(denominator));
    } else {
        // The nearest fraction whose denominator has at most that many digits;
        // the smallest denominator among equals.
        long long largest = 1;
        for (int k = 0; k < std::min(s.denominatorDigits, 5); ++k)
            largest *= 10;
        double best = 2;
        for (long long d = 1; d < largest || d == 1; ++d) {
            const long long n = std::llround(part * double(d));
            const double error = std::fabs(part - double(n) / double(d));
            if (error < best) {
                best = error;
                numerator = n;
                denominator = d;
            }
        }
    }
    if (hasWhole && numerator >= denominator) {
        whole += 1;
        numerator = 0;
    }
    const bool noFraction = hasWhole && numerator == 0;
    *shownNonZero = whole != 0 || numerator != 0;

    const std::string wholeDigits =
        whole == 0 ? std::string() : Decimal::fromDouble(whole).integerDigits();
    const QString numeratorText = QString::number(numerator);
    const QString denominatorText = QString::number(denominator);
    // Digits right-aligned on whole and numerator placeholders; "?" pads with
    // blanks, "0" with zeros, "#" with nothing.
    const auto fill = [](char16_t digit) {
        return digit == u'0'   ? QStringLiteral("0")
               : digit == u'?' ? QStringLiteral(" ")
                               : QString();
    };
    int numeratorCount = 0;
    for (const Item& item : s.items)
        numeratorCount += item.type == Item::Type::Numerator ? 1 : 0;

    QString out;
    QString tail; // the fraction part, blanked when there is none to show
    int numeratorIndex = 0;
    int denominatorIndex = 0;
    bool inFraction = false;
    for (size_t k = 0; k < s.items.size(); ++k) {
        const Item& item = s.items[k];
        QString& target = inFraction ? tail : out;
        switch (item.type) {
        case Item::Type::Whole: {
            const int fromRight = s.wholeCount - 1 - item.index;
            const int count = int(wholeDigits.size());
            if (item.index == 0 && count > s.wholeCount)
                target.append(QLatin1StringView(wholeDigits.data(), count - s.wholeCount));
            if (fromRight < count)
                target.append(QChar(wholeDigits[size_t(count - 1 - fromRight)]));
            else if (noFraction && fromRight == 0)
                target.append(u'0');
            else
                target.append(fill(item.digit));
            // What follows the whole part up to the numerator belongs to the
            // fraction part.
            if (item.index == s.wholeCount - 1)
                inFraction = true;
            break;
        }
        case Item::Type::Numerator: {
            inFraction = true;
            QString& t = tail;
            const int fromRight = numeratorCount - 1 - numeratorIndex;
            const int count = int(numeratorText.size());
            if (numeratorIndex == 0 && count > numeratorCount)
                t.append(numeratorText.left(count - numeratorCount));
            if (fromRight < count)
                t.append(numeratorText[count - 1 - fromRight]);
            else
                t.append(fill(item.digit));
            ++numeratorIndex;
            break;
        }
        case Item::Type::Denominator:
            if (!item.text.isEmpty()) {
                tail.append(item.text);
            } else {
                if (denominatorIndex < denominatorText.size())
                    tail.append(denominatorText[denominatorIndex]);
                else
                    tail.append(fill(item.digit));
                if (denominatorIndex == s.denominatorDigits - 1 &&
                    denominatorText.size() > s.denominatorDigits)
                    tail.append(denominatorText.mid(s.denominatorDigits));
                ++denominatorIndex;
            }
            break;
        default:
            target.append(item.text);
            break;
        }
        const bool fractionDone =
            item.type == Item::Type::Denominator &&
            (k + 1 == s.items.size() || s.items[k + 1].type != Item::Type::Denominator);
        if (fractionDone) {
            out.append(noFraction ? QString(tail.size(), u' ') : tail);
            tail.clear();
            inFraction = false;
        }
    }
    return out + tail;
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
    if (s.isFraction)
        return renderFraction(s, absValue, shownNonZero);

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
        case Item::Type::Numerator:
        case Item::Type::Denominator:
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
    // An empty section shows through the first, or (workbook codes) nothing.
    const auto chosen = [&](size_t index) {
        return m_sections.size() > index &&
               (m_emptySectionShowsNothing || !m_sections[index].items.empty());
    };
    if (value < 0 && chosen(1)) {
        section = &m_sections[1];
        sign = false;
    } else if (value == 0 && chosen(2)) {
        section = &m_sections[2];
    }
    bool shownNonZero = false;
    QString text = render(*section, std::fabs(value), &shownNonZero);
    if (sign && shownNonZero)
        text.prepend(u'-');
    return text;
}

} // namespace quill::vb
