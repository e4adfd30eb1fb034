#include "platform/vb/ByteLength.h"
#include "suite/SuiteLib.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(PadTest, PadNumberFillsInFrontAndNeverCuts) {
    const std::tuple<QString, char16_t, int, QString> cases[] = {{"7", u'0', 2, "07"},
                                                                 {"12", u'0', 2, "12"},
                                                                 {"2004", u'0', 2, "2004"},
                                                                 {"-3.50", u' ', 10, "     -3.50"},
                                                                 {"", u' ', 3, "   "}};
    for (const auto& [text, fill, width, padded] : cases)
        EXPECT_EQ(SuiteLib::PadNumber(text, fill, width), padded) << text.toStdString();
}

TEST(PadTest, PadTextKeepsAColumnAlignedWhateverTheScript) {
    EXPECT_EQ(SuiteLib::PadText("abc", u' ', 6), "abc   ");
    EXPECT_EQ(SuiteLib::PadText("中文", u' ', 6), "中文  ");
    EXPECT_EQ(SuiteLib::PadText("long text", u' ', 4), "long text");
    for (const QString text : {"", "张三", "Li 四", "生产部一班A", "x"}) {
        const QString padded = SuiteLib::PadText(text, u' ', 12);
        EXPECT_TRUE(padded.startsWith(text));
        EXPECT_EQ(vb::GbkByteLength(padded), 12) << text.toStdString();
    }
}

} // namespace
} // namespace quill
