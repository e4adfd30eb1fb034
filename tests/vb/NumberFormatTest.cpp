#include "platform/vb/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using quill::vb::NumberFormat;

namespace {

TEST(NumberFormat, onlyPlainDecimalFormatsTakeTheOnePassPath) {
    for (const char* plain : {"#0.00", "##0.00", "0.0", "#0", "0", "00.000"}) {
        const QString text = QString::fromLatin1(plain);
        EXPECT_TRUE(NumberFormat::compile(text).isPlainDecimal()) << plain;
        EXPECT_FALSE(NumberFormat::compile(text, NumberFormat::Path::General).isPlainDecimal())
            << plain;
    }
    for (const char* other :
         {"#,##0.00", "0.00%", "#.00", "#", "0#", "0.", "#0.0#", "0.0?", "0.00E+00", "#0,",
          "#0.00;(#0.00)", "0.00\" 元\"", "\\$0.00", "", "General"})
        EXPECT_FALSE(NumberFormat::compile(QString::fromUtf8(other)).isPlainDecimal()) << other;
    EXPECT_FALSE(NumberFormat::general().isPlainDecimal());
}

// The one-pass path must show every value exactly as the general rendering.
TEST(NumberFormat, onePassPathShowsWhatTheGeneralRenderingShows) {
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
                                  -0.5,
                                  1e-10,
                                  1e15,
                                  1e20,
                                  -5e300,
                                  123456789012345.678,
                                  0.0049999999999,
                                  1234.5,
                                  -1234.565,
                                  1e-300,
                                  std::nan(""),
                                  INFINITY,
                                  -INFINITY};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-6, 12);
    for (int i = 0; i < 20000; ++i)
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    for (int i = 0; i < 2000; ++i)
        values.push_back(std::round(mantissa(random) * 1e5) / 1000 + 0.0005); // halves
    for (const char* format : {"#0.00", "##0.00", "0.0", "#0", "0", "0.000", "00.00", "000"}) {
        const QString text = QString::fromLatin1(format);
        const NumberFormat fast = NumberFormat::compile(text);
        const NumberFormat general = NumberFormat::compile(text, NumberFormat::Path::General);
        ASSERT_TRUE(fast.isPlainDecimal()) << format;
        for (double v : values)
            ASSERT_EQ(fast.apply(v).toStdString(), general.apply(v).toStdString())
                << format << " " << v;
    }
}

} // namespace
