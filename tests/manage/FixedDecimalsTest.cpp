#include "windows/manage/FixedDecimals.h"

#include "platform/vb/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace quill {

namespace {

TEST(FixedDecimalsTest, TakesOnlyPlainDecimalFormats) {
    EXPECT_EQ(FixedDecimals::of(QStringLiteral("#0.00")), 2);
    EXPECT_EQ(FixedDecimals::of(QStringLiteral("##0.00")), 2);
    EXPECT_EQ(FixedDecimals::of(QStringLiteral("0.0")), 1);
    EXPECT_EQ(FixedDecimals::of(QStringLiteral("#0")), 0);
    for (const char* other : {"#,##0.00", "0.00%", "#.00", "00.00", "0.", "#0.0#", "0.00E+00",
                              "yyyy-mm-dd", "", "#0.00;(#0.00)"})
        EXPECT_FALSE(FixedDecimals::of(QString::fromLatin1(other))) << other;
}

// The shortcut must show every value exactly as the general format rule does.
TEST(FixedDecimalsTest, ShowsWhatTheFormatRuleShows) {
    std::vector<double> values = {0,
                                  -0.0,
                                  0.005,
                                  0.015,
                                  -0.004,
                                  -0.005,
                                  2.675,
                                  9.995,
                                  -9.995,
                                  99.95,
                                  0.5,
                                  1e-10,
                                  1e15,
                                  1e20,
                                  5e300,
                                  123456789012345.678,
                                  0.0049999999999,
                                  1234.5,
                                  -1234.565,
                                  1e-300};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-6, 12);
    for (int i = 0; i < 20000; ++i)
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    for (int i = 0; i < 2000; ++i)
        values.push_back(std::round(mantissa(random) * 1e5) / 1000 + 0.0005); // halves
    for (const char* format : {"#0.00", "##0.00", "0.0", "#0", "0.000"}) {
        const QString text = QString::fromLatin1(format);
        const FixedDecimals fixed(*FixedDecimals::of(text));
        for (double v : values)
            ASSERT_EQ(fixed.format(v).value(), vb::Format(v, text)) << format << " " << v;
    }
    EXPECT_FALSE(FixedDecimals(2).format(std::nan("")));
    EXPECT_FALSE(FixedDecimals(2).format(INFINITY));
}

} // namespace

} // namespace quill
