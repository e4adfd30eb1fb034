#include "platform/vb/DateSerial.h"
#include "platform/vb/IsDate.h"
#include "platform/vb/ParseDate.h"

#include <gtest/gtest.h>

using namespace quill::vb;

namespace {

QDateTime at(int y, int m, int d, int hh = 0, int nn = 0, int ss = 0, int ms = 0) {
    return QDateTime(QDate(y, m, d), QTime(hh, nn, ss, ms), Qt::UTC);
}

struct DateCase {
    const char16_t* text;
    QDateTime expected;
};

TEST(ParseDate, everyShapeAUserOrADatabaseWrites) {
    const DateCase cases[] = {
        {u"2026-01-05", at(2026, 1, 5)},
        {u"2026-1-5", at(2026, 1, 5)},
        {u"2026/01/05", at(2026, 1, 5)},
        {u"2026/1/5", at(2026, 1, 5)},
        {u"2026.01.05", at(2026, 1, 5)},
        {u"2026年1月5日", at(2026, 1, 5)},
        {u"2026年01月05日", at(2026, 1, 5)},
        {u"2026 年 1 月 5 日", at(2026, 1, 5)},
        {u"26-1-5", at(2026, 1, 5)},
        {u"99-12-31", at(1999, 12, 31)},
        {u"1/5/2026", at(2026, 1, 5)},
        {u"12-31-2026", at(2026, 12, 31)},
        {u"  2026-01-05  ", at(2026, 1, 5)},
        {u"2026-01-05 08:30", at(2026, 1, 5, 8, 30)},
        {u"2026-01-05 8:30:15", at(2026, 1, 5, 8, 30, 15)},
        {u"2026-01-05T08:30:15", at(2026, 1, 5, 8, 30, 15)},
        {u"2026-01-05T08:30:15Z", at(2026, 1, 5, 8, 30, 15)},
        {u"2026-01-05 08:30:15.250", at(2026, 1, 5, 8, 30, 15, 250)},
        {u"2026-01-05 08:30:15.123456", at(2026, 1, 5, 8, 30, 15, 123)},
        {u"2026年1月5日 23:59:59", at(2026, 1, 5, 23, 59, 59)},
        {u"12:30", at(1899, 12, 30, 12, 30)},
        {u"00:00:01", at(1899, 12, 30, 0, 0, 1)},
        {u"9:05:07", at(1899, 12, 30, 9, 5, 7)},
        {u"2024-02-29", at(2024, 2, 29)},
        {u"2000-02-29", at(2000, 2, 29)},
        {u"1900-01-10", at(1900, 1, 10)},
        {u"9999-12-31", at(9999, 12, 31)},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseDate(QStringView(c.text));
        ASSERT_TRUE(parsed) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(*parsed, c.expected) << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(IsDate, refusesWhatIsNotADate) {
    for (const char16_t* bad : {u"",
                                u"   ",
                                u"abc",
                                u"12",
                                u"3.5",
                                u"-5",
                                u"2026",
                                u"2026-13-01",
                                u"2026-00-10",
                                u"2026-02-30",
                                u"2026-02-29",
                                u"1900-02-29",
                                u"2100-02-29",
                                u"2026-04-31",
                                u"2026-01-32",
                                u"2026-01-00",
                                u"2026-01",
                                u"2026-01-05-",
                                u"2026-01/05",
                                u"20260105",
                                u"202-01-05",
                                u"0026-01-05",
                                u"2026-01-05x",
                                u"2026-01-05 25:00",
                                u"24:00",
                                u"12:60",
                                u"12:30:60",
                                u"12:",
                                u":30",
                                u"123:00",
                                u"2026年13月1日",
                                u"2026年1月",
                                u"2026年1月5",
                                u"2026-01-05T",
                                u"2026-01-0508:00",
                                u"1.5",
                                u"2026 01 05",
                                u"２０２６-01-05",
                                u"2026-1-5 12",
                                u"12/31/26/1"})
        EXPECT_FALSE(IsDate(QStringView(bad))) << QString::fromUtf16(bad).toStdString();
}

TEST(ParseDate, partsTellADateATimeAndBothApart) {
    const auto parts = [](const char16_t* text) { return ParseDateParts(QStringView(text)); };
    EXPECT_EQ(parts(u"2026-1-5")->date, QDate(2026, 1, 5));
    EXPECT_FALSE(parts(u"2026-1-5")->time);
    EXPECT_EQ(parts(u"8:05")->time, QTime(8, 5));
    EXPECT_FALSE(parts(u"8:05")->date);
    // a time typed on the zero date is still a date and a time
    EXPECT_EQ(parts(u"1899-12-30 08:05")->date, QDate(1899, 12, 30));
    EXPECT_EQ(parts(u"1899-12-30 08:05")->time, QTime(8, 5));
    EXPECT_EQ(parts(u"2026年1月5日 00:00")->time, QTime(0, 0));
    EXPECT_FALSE(parts(u"2026-02-30"));
}

struct IsoCase {
    const char16_t* text;
    IsoPart part;
    const char16_t* iso; // nullptr: refused
};

TEST(IsoDateText, everyAcceptedFormInTheStoredForm) {
    const IsoCase cases[] = {
        {u"24-1-5", IsoPart::Date, u"2024-01-05"},
        {u"2024.1.5", IsoPart::Date, u"2024-01-05"},
        {u"2024/1/5", IsoPart::Date, u"2024-01-05"},
        {u"1/5/2024", IsoPart::Date, u"2024-01-05"},
        {u"2024年1月5日", IsoPart::Date, u"2024-01-05"},
        {u" 2024-01-05 ", IsoPart::Date, u"2024-01-05"},
        {u"2024-01-05 00:00", IsoPart::Date, u"2024-01-05"},
        {u"2024-01-05 08:30", IsoPart::Date, u"2024-01-05"},
        {u"08:30", IsoPart::Date, u"1899-12-30"},
        {u"8:05", IsoPart::Time, u"08:05:00"},
        {u"8:30:15.25", IsoPart::Time, u"08:30:15.250"},
        {u"2024-01-05 08:30", IsoPart::Time, u"08:30:00"},
        {u"2024-01-05", IsoPart::Time, u"00:00:00"},
        {u"2024-1-5", IsoPart::Held, u"2024-01-05"},
        {u"8:05", IsoPart::Held, u"08:05:00"},
        {u"2024年1月5日 8:05", IsoPart::Held, u"2024-01-05 08:05:00"},
        {u"2024-01-05T08:05:00Z", IsoPart::Held, u"2024-01-05 08:05:00"},
        // already in the stored form: unchanged, finer fractions included
        {u"2024-01-05", IsoPart::Date, u"2024-01-05"},
        {u"08:30:00", IsoPart::Time, u"08:30:00"},
        {u"08:30:00.123456", IsoPart::Time, u"08:30:00.123456"},
        {u"2024-01-05 08:30:00.5", IsoPart::Held, u"2024-01-05 08:30:00.5"},
        {u"2024-02-30", IsoPart::Date, nullptr},
        {u"abc", IsoPart::Held, nullptr},
        {u"", IsoPart::Date, nullptr},
        {u"24:00:00", IsoPart::Time, nullptr},
    };
    for (const IsoCase& c : cases) {
        const auto iso = IsoDateText(QStringView(c.text), c.part);
        const std::string text = QString::fromUtf16(c.text).toStdString();
        if (!c.iso) {
            EXPECT_FALSE(iso) << text;
            continue;
        }
        ASSERT_TRUE(iso) << text;
        EXPECT_EQ(*iso, QString::fromUtf16(c.iso)) << text;
    }
}

TEST(IsDate, valuesOfDateTypesAreDates) {
    EXPECT_TRUE(IsDate(QVariant(QDate(2026, 1, 5))));
    EXPECT_TRUE(IsDate(QVariant(QDateTime(QDate(2026, 1, 5), QTime(1, 2)))));
    EXPECT_TRUE(IsDate(QVariant(QTime(1, 2))));
    EXPECT_TRUE(IsDate(QVariant(QString("2026-01-05"))));
    EXPECT_FALSE(IsDate(QVariant(QDate())));
    EXPECT_FALSE(IsDate(QVariant(46027)));
    EXPECT_FALSE(IsDate(QVariant()));
    EXPECT_FALSE(IsDate(QVariant(QString("2026-02-30"))));
    EXPECT_TRUE(IsDate("2026-1-5"));
}

TEST(DateSerial, dayZeroIs18991230) {
    const std::pair<QDate, int> days[] = {{QDate(1899, 12, 30), 0},   {QDate(1899, 12, 31), 1},
                                          {QDate(1900, 1, 1), 2},     {QDate(1900, 3, 1), 61},
                                          {QDate(2026, 1, 5), 46027}, {QDate(1899, 12, 29), -1}};
    for (const auto& [date, serial] : days) {
        EXPECT_EQ(DateSerial(date), serial) << date.toString().toStdString();
        EXPECT_EQ(DateFromSerial(serial), date) << serial;
    }
    const std::pair<QDateTime, double> moments[] = {
        {at(2026, 1, 5, 18), 46027.75}, {at(1899, 12, 29, 6), -1.25}, {at(1899, 12, 30, 12), 0.5}};
    for (const auto& [moment, serial] : moments) {
        EXPECT_EQ(DateSerial(moment), serial) << serial;
        EXPECT_EQ(DateTimeFromSerial(serial), moment) << serial;
    }
    EXPECT_EQ(DateFromSerial(46027.9), QDate(2026, 1, 5));
    EXPECT_EQ(DateTimeFromSerial(1.0 / 86400 * 0.6), at(1899, 12, 30, 0, 0, 1));
}

TEST(DateSerial, roundTripsAndRefusesWhatNoDateHolds) {
    for (const QDate d :
         {QDate(100, 1, 1), QDate(1900, 2, 28), QDate(2024, 2, 29), QDate(9999, 12, 31)})
        EXPECT_EQ(DateFromSerial(DateSerial(d)), d) << d.toString().toStdString();
    const QDateTime moment = at(2026, 7, 1, 23, 59, 59);
    EXPECT_EQ(DateTimeFromSerial(DateSerial(moment)), moment);
    EXPECT_FALSE(DateTimeFromSerial(1e10).isValid());
    EXPECT_FALSE(DateTimeFromSerial(-1e10).isValid());
    EXPECT_FALSE(DateTimeFromSerial(DateSerial(QDate(10000, 1, 1))).isValid());
    EXPECT_FALSE(DateTimeFromSerial(std::numeric_limits<double>::quiet_NaN()).isValid());
    EXPECT_FALSE(DateTimeFromSerial(std::numeric_limits<double>::infinity()).isValid());
}

} // namespace
