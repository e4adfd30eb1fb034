#include "windows/manage/FormulaRows.h"

#include <gtest/gtest.h>

namespace quill {

namespace {

TEST(FormulaRowsTest, MovesRelativeRowsOnly) {
    EXPECT_EQ(FormulaRows::shifted(QStringLiteral("=SUM(C4:C23)"), 25),
              QStringLiteral("=SUM(C29:C48)"));
    EXPECT_EQ(FormulaRows::shifted(QStringLiteral("=$C4+C$4+$C$4+ab12"), 10),
              QStringLiteral("=$C14+C$4+$C$4+ab22"));
    EXPECT_EQ(FormulaRows::shifted(QStringLiteral("=LOG10(A1)*ATAN2(B2,1)"), 5),
              QStringLiteral("=LOG10(A6)*ATAN2(B7,1)"));
}

TEST(FormulaRowsTest, LeavesTextsNumbersAndNonFormulasAlone) {
    EXPECT_EQ(FormulaRows::shifted(QStringLiteral("=\"A1 \"\"B2\"\"\"&A1&\"C3\""), 3),
              QStringLiteral("=\"A1 \"\"B2\"\"\"&A4&\"C3\""));
    EXPECT_EQ(FormulaRows::shifted(QStringLiteral("=1.5E3+A1"), 1), QStringLiteral("=1.5E3+A2"));
    EXPECT_EQ(FormulaRows::shifted(QStringLiteral("A1"), 3), QStringLiteral("A1"));
    EXPECT_EQ(FormulaRows::shifted(QStringLiteral("=Sheet1!A1+ABCD1"), 3),
              QStringLiteral("=Sheet1!A1+ABCD1"));
}

} // namespace

} // namespace quill
