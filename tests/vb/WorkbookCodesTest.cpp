#include "platform/vb/Format.h"
#include "platform/vb/Val.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <random>

using quill::vb::Format;
using quill::vb::FormatCodes;

namespace {

struct CodeCase {
    double value;
    const char* code;
    const char* shown;
};

constexpr double Second = 1.0 / 86400;

// What a spreadsheet application shows for a number under a workbook code.
const CodeCase workbookCases[] = {
    {1234.5, "\"¥\"#,##0.00", "¥1,234.50"},
    {-1234.5, "\"¥\"#,##0.00", "-¥1,234.50"},
    {1234.5, "[$¥-804]#,##0.00", "¥1,234.50"},
    {1234.5, "#,##0.00\" 元\"", "1,234.50 元"},
    {12.345, "0.00\"万元\"", "12.35万元"},
    {-5, "0.00;(0.00)", "(5.00)"},
    {5, "0.00;(0.00)", "5.00"},
    {0, "0.00;-0.00;\"-\"", "-"},
    {-1.5, "0.00;-0.00;\"-\"", "-1.50"},
    {-5, "0.00;;", ""},
    {0, "0.00;;", ""},
    {-3, "[Red]0.00", "-3.00"},
    {-3, "[Red]0.00;[Blue](0.00)", "(3.00)"},
    {1234, "#,##0_);(#,##0)", "1,234 "},
    {-1234, "#,##0_);(#,##0)", "(1,234)"},
    {12.5, "* #,##0.00", "12.50"},
    {12345.678, "0.00E+00", "1.23E+04"},
    {0.000123, "0.00E+00", "1.23E-04"},
    {1.5, "# ?/?", "1 1/2"},
    {2.333, "# ?/?", "2 1/3"},
    {0.75, "# ?/?", " 3/4"},
    {3.14159, "# ?\?/??", "3 14/99"},
    {1.3, "# ?/8", "1 2/8"},
    {5, "# ?/?", "5    "},
    {-1.5, "# ?/?", "-1 1/2"},
    {1.5 + 60 * Second, "[h]:mm:ss", "36:01:00"},
    {3, "[h]:mm", "72:00"},
    {90 * Second, "mm:ss", "01:30"},
    {90 * Second, "[mm]:ss", "01:30"},
    {3700 * Second, "[m]:ss", "61:40"},
    {90.5 * Second, "mm:ss.0", "01:30.5"},
    {1, "\"TRUE\";\"TRUE\";\"FALSE\"", "TRUE"},
    {-1, "\"TRUE\";\"TRUE\";\"FALSE\"", "TRUE"},
    {0, "\"TRUE\";\"TRUE\";\"FALSE\"", "FALSE"},
    {2.675, "0.00", "2.68"},
    {-2.675, "0.00", "-2.68"},
    {1234567.125, "General", "1234567.125"},
    {0.1 + 0.2, "General", "0.3"},
    {12.5, "@", "12.5"},
    {0.5, "0%", "50%"},
    {38018, "yyyy\"年\"m\"月\"d\"日\"", "2004年2月1日"},
    {38018, "[$-804]yyyy\"年\"m\"月\";@", "2004年2月"},
    {38018, "yyyy-mm-dd;@", "2004-02-01"},
    {38018, "yy", "04"},
    {38018, "y", "04"},
    {38018, "yyy", "2004"},
    {38018, "dddd", "星期日"},
    {38018.75, "yyyy/m/d h:mm", "2004/2/1 18:00"},
    {0.75, "h:mm AM/PM", "6:00 PM"},
    {0.75, "上午/下午h\"时\"mm\"分\"", "下午6时00分"},
    {0.25, "h\"时\"mm\"分\"ss\"秒\"", "6时00分00秒"},
    {1, "yyyy-mm-dd", "1900-01-01"},
    {59, "yyyy-mm-dd", "1900-02-28"},
    {61, "yyyy-mm-dd", "1900-03-01"},
};

TEST(WorkbookCodes, showWhatASpreadsheetApplicationShows) {
    for (const auto& c : workbookCases)
        EXPECT_EQ(Format(c.value, QString::fromUtf8(c.code), FormatCodes::Workbook).toStdString(),
                  c.shown)
            << c.value << " with " << c.code;
}

// The 1904 date system moves dates by 1462 days; elapsed time stays.
TEST(WorkbookCodes, the1904DateSystemCountsFrom1904) {
    EXPECT_EQ(Format(36556, "yyyy-mm-dd", FormatCodes::Workbook1904), "2004-02-01");
    EXPECT_EQ(Format(0, "yyyy-mm-dd", FormatCodes::Workbook1904), "1904-01-01");
    EXPECT_EQ(Format(1.5, "[h]:mm", FormatCodes::Workbook1904), "36:00");
    EXPECT_EQ(Format(36556.5, "hh:mm", FormatCodes::Workbook1904), "12:00");
    EXPECT_EQ(Format(36556, "0.00", FormatCodes::Workbook1904), "36556.00");
}

// The codes that read differently in the dictionary keep their meaning there.
TEST(WorkbookCodes, theDictionaryCodesKeepTheirMeaning) {
    EXPECT_EQ(Format(38018, "y"), "32");
    EXPECT_EQ(Format(-5, "0.00;;"), "-5.00");
    EXPECT_EQ(Format(1, "yyyy-mm-dd"), "1899-12-31");
    EXPECT_EQ(Format(0.75, "hh:nn:ss"), "18:00:00");
    EXPECT_EQ(Format(0.75, "hh:mm:ss"), "18:00:00");
    EXPECT_EQ(Format(0.75, "hh:mm:ss", FormatCodes::Workbook), "18:00:00");
    EXPECT_EQ(Format(1234.5, "Standard"), "1,234.50");
}

// Codes pieced together at random from the workbook syntax, on ordinary and
// extreme numbers: every one gives a text, the same each time, and a number
// shown by the general code reads back as itself.
TEST(WorkbookCodes, anyCodeOnAnyNumberGivesOneText) {
    const char* pieces[] = {"0",    "#",        "?",     ",",     ".",         "%",  "E+",
                            "e-",   "/",        "8",     ";",     "\"",        "\\", "_",
                            "*",    "@",        "[",     "]",     "$",         "-",  "h",
                            "m",    "s",        "y",     "d",     ":",         " ",  "[h]",
                            "[mm]", "[$¥-804]", "[Red]", "AM/PM", "上午/下午", "元", "General"};
    const double values[] = {0,
                             -0.0,
                             1.5,
                             -2.675,
                             0.999999,
                             1e15,
                             -1e300,
                             1e-300,
                             59.5,
                             60,
                             61,
                             2958465,
                             1e10,
                             -36556.25,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity()};
    std::mt19937 random(12);
    std::uniform_int_distribution<size_t> piece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(1, 12);
    for (int round = 0; round < 3000; ++round) {
        QString code;
        for (int k = length(random); k > 0; --k)
            code += QString::fromUtf8(pieces[piece(random)]);
        for (const FormatCodes codes : {FormatCodes::Workbook, FormatCodes::Workbook1904}) {
            for (const double value : values) {
                const QString shown = Format(value, code, codes);
                ASSERT_EQ(Format(value, code, codes), shown) << code.toStdString() << " " << value;
            }
        }
    }
    for (const double value : values) {
        if (std::isfinite(value)) {
            EXPECT_EQ(quill::vb::Val(Format(value, "General", FormatCodes::Workbook)), value);
        }
    }
}

} // namespace
