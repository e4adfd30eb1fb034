#include "platform/vb/ByteLength.h"

#include <gtest/gtest.h>

#include <QString>

using quill::vb::GbkByteLength;

namespace {

int length(const char* utf8) {
    return GbkByteLength(QString::fromUtf8(utf8));
}

TEST(GbkByteLength, countsTwoForEveryCharacterBeyondAscii) {
    EXPECT_EQ(length(""), 0);
    EXPECT_EQ(length("abcdefghij"), 10);
    EXPECT_EQ(length("张三"), 4);
    EXPECT_EQ(length("张三abc"), 7);
    EXPECT_EQ(length("a张b三c"), 7);
    EXPECT_EQ(length("（全角）"), 8);
    EXPECT_EQ(length("１２"), 4);
    EXPECT_EQ(length("é"), 2);
}

TEST(GbkByteLength, charactersGbkCannotHoldCountTwo) {
    EXPECT_EQ(length("😀"), 2); // outside the basic plane
    EXPECT_EQ(length("a😀b"), 4);
    EXPECT_EQ(length("ห"), 2); // Thai
    EXPECT_EQ(length("张😀三ห x"), 10);
}

TEST(GbkByteLength, longTextsAreCountedWhole) {
    EXPECT_EQ(GbkByteLength(QString(1000, QChar(u'汉'))), 2000);
    EXPECT_EQ(GbkByteLength(QString(300, QChar(u'汉')) + QString(300, QChar(0x0E2B))), 1200);
}

} // namespace
