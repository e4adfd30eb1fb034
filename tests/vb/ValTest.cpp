#include "platform/vb/Val.h"
#include "platform/vb/Numeric.h"
#include "platform/vb/PlainText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using quill::vb::NumberText;
using quill::vb::ParseNumber;
using quill::vb::Val;

namespace {

struct ValCase {
    const char16_t* text;
    double expected;
};

TEST(Val, readsTheLeadingNumberOfAnyText) {
    const ValCase cases[] = {
        {u"", 0},
        {u"   ", 0},
        {u"abc", 0},
        {u"-", 0},
        {u"+", 0},
        {u".", 0},
        {u"-.", 0},
        {u"12abc", 12},
        {u"1e3x", 1000},
        {u"  -.5", -0.5},
        {u"+7", 7},
        {u"--5", 0},
        {u"3.14.15", 3.14},
        {u"1e", 1},
        {u"1e+", 1},
        {u"2E-2", 0.02},
        {u"1.5e+2kg", 150},
        {u"\t\n 42", 42},
        {u"12元", 12},
        {u"工资12", 0},
        {u"0012", 12},
        {u"1,234", 1},
        {u"2147483648", 2147483648.0},
        {u"-0", 0},
        {u"5.", 5},
        {u".25", 0.25},
        {u"１２", 0},
        {u"1 2", 1},
        {u"0.1", 0.1},
        {u"123456789012345678", 123456789012345678.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Val(QStringView(c.text)), c.expected) << QString::fromUtf16(c.text).toStdString();
}

TEST(Val, hugeAndTinyNumbersDoNotWrapAround) {
    EXPECT_EQ(Val(u"1e400"), INFINITY);
    EXPECT_EQ(Val(u"-1e400"), -INFINITY);
    EXPECT_EQ(Val(u"1e-400"), 0.0);
    EXPECT_EQ(Val(QString(400, u'9')), INFINITY);
    EXPECT_EQ(Val(QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1")), 0.0);
    EXPECT_EQ(Val(u"1e99999999999999999999"), INFINITY);
}

// The text the program writes for a number reads back as that number, even at
// the ends of the range, where the 15 shown digits round past the largest
// double.
TEST(Val, readsBackTheTextWrittenForExtremeNumbers) {
    const double largest = std::numeric_limits<double>::max();
    const double tiniest = std::numeric_limits<double>::denorm_min();
    for (const double value : {largest, -largest, tiniest, -tiniest, 1e308, -1e-300}) {
        const QString text = NumberText(value);
        EXPECT_EQ(Val(text), value) << text.toStdString();
        EXPECT_EQ(ParseNumber(text), value) << text.toStdString();
    }
    EXPECT_EQ(NumberText(-largest), "-1.79769313486232E+308");
    // only the rounding of the largest double is taken back; beyond it stays too large
    EXPECT_EQ(Val(u"1.79769313486233E+308"), INFINITY);
    EXPECT_EQ(Val(u"-1.8e308"), -INFINITY);
}

TEST(Val, acceptsStringLiteralsAndQStrings) {
    EXPECT_EQ(Val("3.5"), 3.5);
    EXPECT_EQ(Val(QString("8x")), 8);
}

TEST(ParseNumber, acceptsOnlyWholeNumbers) {
    EXPECT_EQ(ParseNumber(u" 3.50 "), 3.5);
    EXPECT_EQ(ParseNumber(u"-1,234.5"), -1234.5);
    EXPECT_EQ(ParseNumber(u"1e3"), 1000);
    EXPECT_EQ(ParseNumber(u"+.5"), 0.5);
    for (const char16_t* bad : {u"", u"  ", u"-", u".", u"12abc", u"1.2.3", u"1e", u"1e+", u",1",
                                u"1,", u"1,,2", u"2026-01-05", u"12:30", u"1 2"})
        EXPECT_FALSE(ParseNumber(QStringView(bad))) << QString::fromUtf16(bad).toStdString();
}

} // namespace
