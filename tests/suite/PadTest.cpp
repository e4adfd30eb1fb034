#include "platform/vb/ByteLength.h"
#include "suite/SuiteLib.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(PadTest, PadNumberFillsInFrontAndNeverCuts) {
    EXPECT_EQ(SuiteLib::PadNumber(QStringLiteral("7"), u'0', 2), QStringLiteral("07"));
    EXPECT_EQ(SuiteLib::PadNumber(QStringLiteral("12"), u'0', 2), QStringLiteral("12"));
    EXPECT_EQ(SuiteLib::PadNumber(QStringLiteral("2004"), u'0', 2), QStringLiteral("2004"));
    EXPECT_EQ(SuiteLib::PadNumber(QStringLiteral("-3.50"), u' ', 10), QStringLiteral("     -3.50"));
    EXPECT_EQ(SuiteLib::PadNumber(QString(), u' ', 3), QStringLiteral("   "));
}

TEST(PadTest, PadTextKeepsAColumnAlignedWhateverTheScript) {
    EXPECT_EQ(SuiteLib::PadText(QStringLiteral("abc"), u' ', 6), QStringLiteral("abc   "));
    EXPECT_EQ(SuiteLib::PadText(QStringLiteral("中文"), u' ', 6), QStringLiteral("中文  "));
    EXPECT_EQ(SuiteLib::PadText(QStringLiteral("long text"), u' ', 4), QStringLiteral("long text"));
    for (const QString& text : {QString(), QStringLiteral("张三"), QStringLiteral("Li 四"),
                                QStringLiteral("生产部一班A"), QStringLiteral("x")}) {
        const QString padded = SuiteLib::PadText(text, u' ', 12);
        EXPECT_TRUE(padded.startsWith(text));
        EXPECT_EQ(vb::GbkByteLength(padded), 12) << text.toStdString();
    }
}

} // namespace
} // namespace quill
