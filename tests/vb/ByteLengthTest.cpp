#include "platform/vb/ByteLength.h"

#include <gtest/gtest.h>

#include <QString>

using quill::vb::GbkByteLength;

namespace {

int length(const char* utf8) {
    return GbkByteLength(QString::fromUtf8(utf8));
}

// Two for every character beyond ASCII, those GBK cannot hold too (outside
// the basic plane, Thai).
TEST(GbkByteLength, countsTwoForEveryCharacterBeyondAscii) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},        {"abcdefghij", 10}, {"张三", 4}, {"张三abc", 7},
        {"a张b三c", 7}, {"（全角）", 8},    {"１２", 4}, {"é", 2},
        {"😀", 2},       {"a😀b", 4},         {"ห", 2},    {"张😀三ห x", 10}};
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(length(text), bytes) << text;
}

TEST(GbkByteLength, longTextsAreCountedWhole) {
    EXPECT_EQ(GbkByteLength(QString(1000, QChar(u'汉'))), 2000);
    EXPECT_EQ(GbkByteLength(QString(300, QChar(u'汉')) + QString(300, QChar(0x0E2B))), 1200);
}

} // namespace
