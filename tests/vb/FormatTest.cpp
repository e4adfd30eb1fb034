#include "platform/vb/Format.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QTime>

using quill::vb::Format;

namespace {

struct NumberCase {
    double value;
    const char* format;
    const char* expected;
};

TEST(Format, numbersWithTheModulesNumberFormats) {
    const NumberCase cases[] = {
        {3.5, "#0.00", "3.50"},
        {2.675, "#0.00", "2.68"},
        {1.005, "#0.00", "1.01"},
        {-2.675, "#0.00", "-2.68"},
        {0, "#0.00", "0.00"},
        {0.001, "#0.00", "0.00"},
        {-0.001, "#0.00", "0.00"},
        {0.995, "#0.00", "1.00"},
        {9.995, "#0.00", "10.00"},
        {1234567.891, "#0.00", "1234567.89"},
        {1234567.891, "##0.00", "1234567.89"},
        {0.5, "##0.00", "0.50"},
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {-1234567.891, "#,##0.00", "-1,234,567.89"},
        {999.999, "#,##0.00", "1,000.00"},
        {123, "#,##0.00", "123.00"},
        {1234.5, "#,##0", "1,235"},
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {0.4, "0", "0"},
        {7, "0.00", "7.00"},
        {0.123, "0.0%", "12.3%"},
        {0.5, "#.##", ".5"},
        {12.5, ".00", "12.50"},
        {5, "000", "005"},
        {1234567, "#,##0,", "1,235"},
        {0.1 + 0.2, "#0.00", "0.30"},
        {12345.678, "0.00E+00", "1.23E+04"},
        {0.000123, "0.00E+00", "1.23E-04"},
        {9.999, "0.00E+00", "1.00E+01"},
        {-5, "0.00;(0.00)", "(5.00)"},
        {0, "0.00;(0.00);\"零\"", "零"},
        {42, "\"合计:\"#0.00\"元\"", "合计:42.00元"},
        {42, "Fixed", "42.00"},
        {1234.5, "Standard", "1,234.50"},
        {0.25, "Percent", "25.00%"},
        {0.1, "General Number", "0.1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, QString::fromUtf8(c.format)).toStdString(), c.expected)
            << c.value << " with " << c.format;
}

TEST(Format, hugeNumbersKeepAllTheirWholeDigits) {
    EXPECT_EQ(Format(1.2e307, "#0.00").toStdString(), "12" + std::string(306, '0') + ".00");
    EXPECT_EQ(Format(-1.2e307, "#,##0").size(), 308 + 102 + 1);
}

TEST(Format, sumsAccumulatedInDoublesShowWithoutBinaryArtefacts) {
    double total = 0;
    for (int i = 0; i < 10; ++i)
        total += 0.1;
    EXPECT_EQ(Format(total, "#0.00"), "1.00");
    EXPECT_EQ(Format(total, ""), "1");
    EXPECT_EQ(Format(2.675 * 3, "#0.00"), "8.03");
}

TEST(Format, emptyFormatGivesThePlainText) {
    EXPECT_EQ(Format(3.5, ""), "3.5");
    EXPECT_EQ(Format(QVariant(3.0), ""), "3");
    EXPECT_EQ(Format(QVariant(-0.25), ""), "-0.25");
    EXPECT_EQ(Format(QVariant(1e20), ""), "1E+20");
    EXPECT_EQ(Format(QVariant(0.000001), ""), "1E-06");
    EXPECT_EQ(Format(QVariant(123456789012345.0), ""), "123456789012345");
    EXPECT_EQ(Format(QVariant(qlonglong(9007199254740993)), ""), "9007199254740993");
    EXPECT_EQ(Format(QVariant(QDate(2026, 1, 5)), ""), "2026-01-05");
    EXPECT_EQ(Format(QVariant(QDateTime(QDate(2026, 1, 5), QTime(8, 5, 9))), ""),
              "2026-01-05 08:05:09");
    EXPECT_EQ(Format(QVariant(QTime(0, 0)), ""), "00:00:00");
    EXPECT_EQ(Format(QVariant(true), ""), "True");
    EXPECT_EQ(Format(QVariant(QString("abc")), ""), "abc");
    EXPECT_EQ(Format(QVariant(), "#0.00"), "");
    EXPECT_EQ(Format(QVariant(QMetaType::fromType<double>()), "#0.00"), "");
    EXPECT_EQ(Format(QVariant(QDate()), "yyyy-mm-dd"), "");
}

TEST(Format, datesAndTimesWithTheModulesDateFormats) {
    const QVariant moment(QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9)));
    EXPECT_EQ(Format(moment, "yyyy-mm-dd"), "2026-03-07");
    EXPECT_EQ(Format(moment, "hh:nn:ss"), "14:05:09");
    EXPECT_EQ(Format(moment, "yy-mm-dd"), "26-03-07");
    EXPECT_EQ(Format(moment, "yyyy年mm月dd日"), "2026年03月07日");
    EXPECT_EQ(Format(moment, "yyyy年m月d日"), "2026年3月7日");
    EXPECT_EQ(Format(moment, "yyyy-mm-dd hh:nn:ss"), "2026-03-07 14:05:09");
    EXPECT_EQ(Format(moment, "mm/dd/yyyy"), "03/07/2026");
    EXPECT_EQ(Format(moment, "YYYY-MM-DD"), "2026-03-07");
    EXPECT_EQ(Format(moment, "hh:mm:ss"), "14:05:09");
    EXPECT_EQ(Format(moment, "h:mm"), "14:05");
    EXPECT_EQ(Format(moment, "hh:nn AM/PM"), "02:05 PM");
    EXPECT_EQ(Format(moment, "h:nn a/p"), "2:05 p");
    EXPECT_EQ(Format(moment, "hh:nn AMPM"), "02:05 下午");
    EXPECT_EQ(Format(moment, "dddd"), "星期六");
    EXPECT_EQ(Format(moment, "mmmm"), "三月");
    EXPECT_EQ(Format(moment, "\"第\"q\"季度\""), "第1季度");
    EXPECT_EQ(Format(moment, "y"), "66");
    EXPECT_EQ(Format(moment, "w"), "7");
    EXPECT_EQ(Format(moment, "ww"), "10");
    EXPECT_EQ(Format(moment, "c"), "2026-03-07 14:05:09");
    EXPECT_EQ(Format(moment, "Long Date"), "2026年3月7日");
    EXPECT_EQ(Format(moment, "Short Time"), "14:05");
    EXPECT_EQ(Format(QVariant(QDate(2026, 3, 7)), "hh:nn:ss"), "00:00:00");
    EXPECT_EQ(Format(QVariant(QTime(9, 30)), "yyyy-mm-dd"), "1899-12-30");
    EXPECT_EQ(Format(QVariant(QTime(9, 30)), "hh:nn:ss"), "09:30:00");
}

TEST(Format, numbersUnderDateFormatsAreSerialDays) {
    EXPECT_EQ(Format(0.0, "yyyy-mm-dd"), "1899-12-30");
    EXPECT_EQ(Format(46027.0, "yyyy-mm-dd"), "2026-01-05");
    EXPECT_EQ(Format(3.5, "hh:nn:ss"), "12:00:00");
    EXPECT_EQ(Format(0.99999999, "hh:nn:ss"), "00:00:00");
    EXPECT_EQ(Format(-1.25, "yyyy-mm-dd hh:nn"), "1899-12-29 06:00");
    EXPECT_EQ(Format(1e10, "yyyy-mm-dd"), "10000000000");
    EXPECT_EQ(Format(QVariant(QDate(2026, 1, 5)), "#0.00"), "46027.00");
    EXPECT_EQ(Format(QVariant(QDateTime(QDate(2026, 1, 5), QTime(18, 0))), "0.00"), "46027.75");
}

TEST(Format, textsAreFormattedWhenTheyReadAsNumbersOrDates) {
    EXPECT_EQ(Format(QVariant(QString("3.5")), "#0.00"), "3.50");
    EXPECT_EQ(Format(QVariant(QString(" -1,234.567 ")), "#,##0.00"), "-1,234.57");
    EXPECT_EQ(Format(QVariant(QString("2026-1-5")), "yyyy-mm-dd"), "2026-01-05");
    EXPECT_EQ(Format(QVariant(QString("2026年1月5日")), "yyyy-mm-dd"), "2026-01-05");
    EXPECT_EQ(Format(QVariant(QString("2026/01/05 9:05")), "yyyy-mm-dd hh:nn:ss"),
              "2026-01-05 09:05:00");
    EXPECT_EQ(Format(QVariant(QString("9:05")), "hh:nn:ss"), "09:05:00");
    EXPECT_EQ(Format(QVariant(QString("12")), "yyyy-mm-dd"), "1900-01-11");
    EXPECT_EQ(Format(QVariant(QString("2026-01-05")), "#0.00"), "46027.00");
    // neither a number nor a date: unchanged
    for (const char* text : {"12abc", "abc", "2026-13-01", "2026-02-30", "张三", "1e400", "  "})
        for (const char* format : {"#0.00", "yyyy-mm-dd", "hh:nn:ss", "#,##0"})
            EXPECT_EQ(Format(QVariant(QString::fromUtf8(text)), QString::fromUtf8(format)),
                      QString::fromUtf8(text))
                << text << " with " << format;
    EXPECT_EQ(Format(QVariant(QString("1e10")), "yyyy-mm-dd"), "1e10");
    EXPECT_EQ(Format(QVariant(QString("")), "#0.00"), "");
}

TEST(Format, otherValueTypes) {
    EXPECT_EQ(Format(QVariant(7), "#0.00"), "7.00");
    EXPECT_EQ(Format(QVariant(qlonglong(2147483648)), "#,##0"), "2,147,483,648");
    EXPECT_EQ(Format(QVariant(7), ""), "7");
    EXPECT_EQ(Format(QVariant(true), "0"), "-1");
    EXPECT_EQ(Format(QVariant(QByteArray("2.5")), "0.00"), "2.50");
}

TEST(Format, aFormatUsedAgainGivesTheSameText) {
    // the compiled format is kept; many different formats must not disturb it
    for (int i = 0; i < 600; ++i)
        EXPECT_EQ(Format(double(i), QString("0\"-%1\"").arg(i)), QString("%1-%1").arg(i));
    EXPECT_EQ(Format(2.5, "#0.00"), "2.50");
    EXPECT_EQ(Format(2.5, "#0.00"), "2.50");
}

} // namespace
