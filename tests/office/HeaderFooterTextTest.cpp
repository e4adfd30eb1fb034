#include "platform/office/HeaderFooterText.h"

#include <gtest/gtest.h>

using namespace quill;

namespace {

HeaderFooterText::Fields fields() {
    HeaderFooterText::Fields f;
    f.page = 3;
    f.pages = 7;
    f.sheetName = "职工名册(2026年)";
    f.fileName = "Tmp.xls";
    f.now = QDateTime(QDate(2026, 12, 6), QTime(9, 5));
    return f;
}

struct TextCase {
    const char* code;
    const char* text;
};

class HeaderFooterCodes : public ::testing::TestWithParam<TextCase> {};

TEST_P(HeaderFooterCodes, ActOrAreDropped) {
    EXPECT_EQ(HeaderFooterText::plainText(QString::fromUtf8(GetParam().code), fields()),
              QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Office, HeaderFooterCodes,
    ::testing::Values(TextCase{"第 &P 页,共 &N 页", "第 3 页,共 7 页"}, TextCase{"&p/&n", "3/7"},
                      TextCase{"&A", "职工名册(2026年)"}, TextCase{"&D &T", "2026-12-06 09:05"},
                      TextCase{"&F", "Tmp.xls"}, TextCase{"A && B", "A & B"},
                      // Unknown codes go with their character, as does a lone "&".
                      TextCase{"&\"宋体,加粗\"&12& 制表", "制表"}, TextCase{"x&Qy&", "xy"},
                      TextCase{"&B粗&B细", "粗细"}, TextCase{"&\"Times New Roman,常规\"&P", "3"},
                      TextCase{"&10&P", "3"}));

TEST(HeaderFooterText, FontCodesStartRunsInTheirFont) {
    const auto runs = HeaderFooterText::runs(
        QString::fromUtf8("&\"宋体,加粗\"&16&A&\"Times New Roman,常规\"&9 p&P"), fields());
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].text, "职工名册(2026年)");
    EXPECT_EQ(runs[0].family, "宋体");
    EXPECT_TRUE(runs[0].bold);
    EXPECT_EQ(runs[0].pointSize, 16);
    EXPECT_EQ(runs[1].text, " p3");
    EXPECT_EQ(runs[1].family, "Times New Roman");
    EXPECT_FALSE(runs[1].bold);
    EXPECT_EQ(runs[1].pointSize, 9);
}

} // namespace
