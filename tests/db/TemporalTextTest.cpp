#include "platform/db/TemporalText.h"

#include <gtest/gtest.h>

#include <cstring>

using quill::TemporalText;

namespace {

QVariant dateOf(const char* s) {
    QDate d;
    return TemporalText::parseDate(s, static_cast<int>(std::strlen(s)), &d) ? QVariant(d)
                                                                            : QVariant();
}

QVariant timeOf(const char* s) {
    QTime t;
    return TemporalText::parseTime(s, static_cast<int>(std::strlen(s)), &t) ? QVariant(t)
                                                                            : QVariant();
}

QVariant dateTimeOf(const char* s) {
    QDateTime dt;
    return TemporalText::parseDateTime(s, static_cast<int>(std::strlen(s)), &dt) ? QVariant(dt)
                                                                                 : QVariant();
}

} // namespace

// The stored forms are read exactly; anything else is left as text.
TEST(TemporalText, StoredFormsOnly) {
    EXPECT_EQ(dateOf("2004-02-29"), QVariant(QDate(2004, 2, 29)));
    for (const char* bad : {"2003-02-29", "2004-2-9", "2004/02/01", "2004-02-01x", "abcd-ef-gh"})
        EXPECT_FALSE(dateOf(bad).isValid()) << bad;
    EXPECT_EQ(timeOf("08:30"), QVariant(QTime(8, 30)));
    EXPECT_EQ(timeOf("23:59:58.5"), QVariant(QTime(23, 59, 58, 500)));
    EXPECT_EQ(timeOf("23:59:58.123000"), QVariant(QTime(23, 59, 58, 123)));
    // Finer than a millisecond: no QTime holds it, so it stays text.
    for (const char* bad :
         {"24:00:00", "8:30", "08:30:", "08:30:00.", "08:30:00.1x", "23:59:58.123456"})
        EXPECT_FALSE(timeOf(bad).isValid()) << bad;
    EXPECT_EQ(dateTimeOf("2004-02-01 10:20:30"),
              QVariant(QDateTime(QDate(2004, 2, 1), QTime(10, 20, 30))));
    EXPECT_EQ(dateTimeOf("2004-02-01T10:20:30.250"),
              QVariant(QDateTime(QDate(2004, 2, 1), QTime(10, 20, 30, 250))));
    EXPECT_EQ(dateTimeOf("2004-02-01"), QVariant(QDateTime(QDate(2004, 2, 1), QTime(0, 0))));
    const QDateTime utc(QDate(2004, 2, 1), QTime(10, 0), Qt::UTC);
    EXPECT_EQ(dateTimeOf("2004-02-01 18:00:00+08").toDateTime(), utc);
    EXPECT_EQ(dateTimeOf("2004-02-01 04:30:00-05:30").toDateTime(), utc);
    EXPECT_FALSE(dateTimeOf("2004-02-01 10:20:30+8").isValid());
}

TEST(TemporalText, FormsAndFinerFractions) {
    EXPECT_EQ(TemporalText::formatDate(QDate(987, 6, 5)), "0987-06-05");
    EXPECT_EQ(TemporalText::formatTime(QTime(7, 8, 9)), "07:08:09");
    EXPECT_EQ(TemporalText::formatTime(QTime(7, 8, 9, 40)), "07:08:09.040");
    EXPECT_EQ(TemporalText::formatDateTime(QDateTime(QDate(2004, 2, 1), QTime(0, 0))),
              "2004-02-01 00:00:00");
    for (const char* finer : {"10:20:30.1234", "2024-01-05 10:20:30.123456",
                              "2024-01-05T10:20:30.000001+08", "2024-01-05 10:20:30.123456-05:30"})
        EXPECT_TRUE(TemporalText::finerThanMilliseconds(QString::fromLatin1(finer))) << finer;
    for (const char* plain :
         {"10:20:30.123", "2024-01-05 10:20:30", "2024/1/5 10:20:30.12345", "10:20:30.1234 x", ""})
        EXPECT_FALSE(TemporalText::finerThanMilliseconds(QString::fromLatin1(plain))) << plain;
}
