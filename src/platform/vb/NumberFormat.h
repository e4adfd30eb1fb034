#pragma once

#include "platform/vb/FormatCodes.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <string>
#include <vector>

namespace quill::vb {

// A compiled numeric format text: up to three sections (positive; negative;
// zero) of digit placeholders "0" (always shown) and "#" (shown when
// significant), a decimal point, thousands commas ("#,##0"; a comma right of
// the last whole digit divides by 1000), "%" (multiplies by 100), an exponent
// ("0.00E+00"), and literal text (quoted, after a backslash, or any other
// character). Rounding is half away from zero on the decimal digits.
// Workbook codes (see FormatCodes) add bracketed literal text, "_x" blanks,
// "*x" fills and fractions ("# ?/?", "?/8"), and an empty section there shows
// nothing.
class NumberFormat {
public:
    // A plain decimal format (placeholders "#…0…", then optionally a point
    // and "0" decimals; nothing else) is shown in one pass rather than
    // through the general rendering, as it formats most amounts of a sheet.
    // General keeps the general rendering, to check the two against each
    // other.
    enum class Path { Fast, General };

    static NumberFormat compile(QStringView format, Path path = Path::Fast,
                                FormatCodes codes = FormatCodes::Module);
    // "General Number": plain number text.
    static NumberFormat general();

    QString apply(double value) const;
    // Whether apply() takes the one-pass path for a plain decimal format.
    bool isPlainDecimal() const { return m_plainDecimals >= 0; }

private:
    struct Item {
        // Numerator and Denominator: the parts of a fraction ("# ?/?"); a
        // fixed denominator ("?/8") is a Denominator with digit 0 and text.
        enum class Type { Literal, Whole, Fraction, Point, Exponent, Numerator, Denominator };
        Type type;
        QString text{};      // Literal
        char16_t digit = 0;  // Whole, Fraction: '0', '#' or '?'
        int index = 0;       // Whole: placeholder number from the left
        bool expPlus = true; // Exponent: sign shown also when positive
        bool expUpper = true;
        int expDigits = 0; // Exponent: minimum digits
    };
    struct Section {
        std::vector<Item> items;
        int wholeCount = 0;
        int fractionCount = 0;
        std::u16string fractionPlaceholders;
        bool grouping = false;
        int scaleThousands = 0;
        int percents = 0;
        bool exponent = false;
        bool isFraction = false;
        int fixedDenominator = 0;
        int denominatorDigits = 0;
        bool literalOnly() const { return wholeCount == 0 && fractionCount == 0 && !isFraction; }
    };

    static Section compileSection(QStringView text, FormatCodes codes);
    // Turns "placeholders / placeholders or digits" of a workbook section
    // into a fraction.
    static void findFraction(Section& section);
    static QString renderFraction(const Section& section, double absValue, bool* shownNonZero);
    // The "0" whole placeholders of a plain decimal section; nothing for any
    // other section.
    static std::optional<int> plainWholeZeros(const Section& section);
    // Renders a non-negative value; *shownNonZero tells whether a digit other
    // than 0 was shown (a negative value that shows as zero gets no sign).
    static QString render(const Section& section, double absValue, bool* shownNonZero);
    // The one-pass path: the same digits, rounding and sign as render().
    QString applyPlainDecimal(double value) const;

    std::vector<Section> m_sections;
    bool m_general = false;
    bool m_emptySectionShowsNothing = false;
    int m_plainDecimals = -1; // decimals of a plain decimal format; -1 for any other
    int m_plainWhole = 0;     // its "0" whole placeholders: whole digits always shown
};

} // namespace quill::vb
