#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <vector>

namespace quill::vb {

// A compiled numeric format text: up to three sections (positive; negative;
// zero) of digit placeholders "0" (always shown) and "#" (shown when
// significant), a decimal point, thousands commas ("#,##0"; a comma right of
// the last whole digit divides by 1000), "%" (multiplies by 100), an exponent
// ("0.00E+00"), and literal text (quoted, after a backslash, or any other
// character). Rounding is half away from zero on the decimal digits.
class NumberFormat {
public:
    static NumberFormat compile(QStringView format);
    // "General Number": plain number text.
    static NumberFormat general();

    QString apply(double value) const;

private:
    struct Item {
        enum class Type { Literal, Whole, Fraction, Point, Exponent };
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
        bool literalOnly() const { return wholeCount == 0 && fractionCount == 0; }
    };

    static Section compileSection(QStringView text);
    // Renders a non-negative value; *shownNonZero tells whether a digit other
    // than 0 was shown (a negative value that shows as zero gets no sign).
    static QString render(const Section& section, double absValue, bool* shownNonZero);

    std::vector<Section> m_sections;
    bool m_general = false;
};

} // namespace quill::vb
