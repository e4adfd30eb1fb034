#include "foundation/Dialect.h"
#include "foundation/DisplayFormat.h"
#include "foundation/ReservedField.h"
#include "foundation/TypeCode.h"
#include "foundation/ValueCheck.h"
#include "platform/db/Connection.h"
#include "platform/db/DatabaseKind.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

using namespace quill;

namespace {

std::optional<QString> grid(const char* type, const char* width, const QString& text) {
    return checkValue(QString::fromUtf8(type), QString::fromUtf8(width), text,
                      CheckStyle::GridSave);
}

std::optional<QString> entry(const char* type, const char* width, const QString& text) {
    return checkValue(QString::fromUtf8(type), QString::fromUtf8(width), text,
                      CheckStyle::EntryWindow);
}

TEST(ValueCheck, textWidthCountsChineseCharactersTwice) {
    EXPECT_EQ(grid("S", "10", "张三李四王"), std::nullopt);
    EXPECT_EQ(grid("S", "10", "张三李四王五"), "张三李四王五长度过长");
    EXPECT_EQ(grid("S", "10", "abcdefghij"), std::nullopt);
    EXPECT_EQ(grid("S", "10", "abcdefghijk"), "abcdefghijk长度过长");
    EXPECT_EQ(entry("S", "10", "abcdefghijk"), "长度过长");
    EXPECT_EQ(grid("S", "10", "张三abcdef"), std::nullopt);
    EXPECT_EQ(grid("S", "10", "张三abcdefg"), "张三abcdefg长度过长");
    EXPECT_EQ(grid("S", " 10 ", "abcdefghijk"), "abcdefghijk长度过长");
    EXPECT_EQ(grid("S", "10", "😀😀😀😀😀"), std::nullopt);
    EXPECT_EQ(grid("S", "10", "😀😀😀😀😀a"), "😀😀😀😀😀a长度过长");
    EXPECT_EQ(grid("S50", "10", "abcdefghijk"), "abcdefghijk长度过长");
}

TEST(ValueCheck, textWithoutAWidthHasNoLimit) {
    EXPECT_EQ(grid("S", "", QString(300, u'x')), std::nullopt);
    EXPECT_EQ(grid("S", "0", "abc"), std::nullopt);
    EXPECT_EQ(grid("S", "宽", "abc"), std::nullopt);
}

TEST(ValueCheck, wholeNumbersUpToTheLargest32BitValue) {
    EXPECT_EQ(grid("I", "", "2147483647"), std::nullopt);
    EXPECT_EQ(grid("I", "", "2147483648"), "2147483648值过大");
    EXPECT_EQ(entry("I", "", "2147483648"), "值过大");
    EXPECT_EQ(grid("I", "", "2147483647.5"), "2147483647.5值过大");
    EXPECT_EQ(grid("I", "", "3e9"), "3e9值过大");
    EXPECT_EQ(grid("I", "", "-99999999999"), std::nullopt);
    EXPECT_EQ(grid("I", "", "12abc"), std::nullopt);
    EXPECT_EQ(grid("I", "", "abc"), std::nullopt);
    EXPECT_EQ(grid("I", "", "  2147483648abc"), "  2147483648abc值过大");
}

TEST(ValueCheck, decimalsUpTo12E307) {
    EXPECT_EQ(grid("D", "#0.00", "1.2E307"), std::nullopt);
    EXPECT_EQ(grid("D", "", "1.3E307"), "1.3E307值过大");
    EXPECT_EQ(grid("D", "", "1e400"), "1e400值过大");
    EXPECT_EQ(entry("D", "", "1e400"), "值过大");
    EXPECT_EQ(grid("D", "", "-1e400"), std::nullopt);
    EXPECT_EQ(grid("D", "", "3.50元"), std::nullopt);
}

TEST(ValueCheck, datesAndTimes) {
    EXPECT_EQ(grid("T", "", ""), std::nullopt);
    EXPECT_EQ(grid("T", "", "   "), std::nullopt);
    EXPECT_EQ(grid("T", "", "2026-01-05"), std::nullopt);
    EXPECT_EQ(grid("T", "", "2026年1月5日"), std::nullopt);
    EXPECT_EQ(grid("T", "", "2024-02-29"), std::nullopt);
    EXPECT_EQ(grid("T", "", "2026-13-01"), "日期格式不对");
    EXPECT_EQ(entry("T", "", "2026-13-01"), "日期格式不对");
    EXPECT_EQ(grid("T", "", "2026-02-30"), "日期格式不对");
    EXPECT_EQ(grid("T", "", "2026-02-29"), "日期格式不对");
    EXPECT_EQ(grid("T", "", "abc"), "日期格式不对");
    EXPECT_EQ(grid("T", "yyyy年mm月dd日", "明天"), "日期格式不对");
    // a number is a day count, as the grid stores it
    EXPECT_EQ(grid("T", "", "46027"), std::nullopt);
    EXPECT_EQ(grid("T", "", "1e10"), "日期格式不对");

    EXPECT_EQ(grid("Y", "", "08:30"), std::nullopt);
    EXPECT_EQ(grid("Y", "", "23:59:59"), std::nullopt);
    EXPECT_EQ(grid("Y", "", "0.5"), std::nullopt);
    EXPECT_EQ(grid("Y", "", "24:00"), "时间格式不对");
    EXPECT_EQ(grid("Y", "", "12:60"), "时间格式不对");
    EXPECT_EQ(entry("Y", "", "八点"), "时间格式不对");
}

TEST(ValueCheck, emptyCellsAndUncheckedCodesPass) {
    for (const char* type : {"S", "T", "Y", "D", "I", "B", "M", "O", "", "X"})
        EXPECT_EQ(grid(type, "1", ""), std::nullopt) << type;
    for (const char* type : {"B", "M", "O", "", "X"})
        EXPECT_EQ(grid(type, "1", "whatever 2147483648 2026-13-01"), std::nullopt) << type;
}

TEST(TypeCode, firstCharacterOfTheTypeText) {
    EXPECT_EQ(typeCodeOf("S"), TypeCode::S);
    EXPECT_EQ(typeCodeOf("D2"), TypeCode::D);
    EXPECT_EQ(typeCodeOf("i"), TypeCode::I);
    EXPECT_EQ(typeCodeOf("Text"), TypeCode::T);
    EXPECT_EQ(typeCodeOf("Y"), TypeCode::Y);
    EXPECT_EQ(typeCodeOf("B"), TypeCode::B);
    EXPECT_EQ(typeCodeOf("M"), TypeCode::M);
    EXPECT_EQ(typeCodeOf("O"), TypeCode::O);
    EXPECT_EQ(typeCodeOf(""), TypeCode::Unknown);
    EXPECT_EQ(typeCodeOf(" S"), TypeCode::Unknown);
    EXPECT_EQ(typeCodeOf("文本"), TypeCode::Unknown);
}

TEST(DisplayFormat, defaultsAndDictionaryFormats) {
    EXPECT_EQ(displayFormat(TypeCode::T, ""), "yyyy-mm-dd");
    EXPECT_EQ(displayFormat(TypeCode::Y, ""), "hh:nn:ss");
    EXPECT_EQ(displayFormat(TypeCode::D, ""), "#0.00");
    EXPECT_EQ(displayFormat(TypeCode::D, "", FormatUse::TextExport), "##0.00");
    EXPECT_EQ(displayFormat(TypeCode::S, "20"), "");
    EXPECT_EQ(displayFormat(TypeCode::I, "10"), "");
    EXPECT_EQ(displayFormat(TypeCode::D, "#,##0.000"), "#,##0.000");
    EXPECT_EQ(displayFormat(TypeCode::D, " 0.0 ", FormatUse::TextExport), "0.0");
    EXPECT_EQ(displayFormat(TypeCode::T, "yyyy年mm月dd日"), "yyyy年mm月dd日");
    EXPECT_EQ(displayFormat(TypeCode::Y, "hh:nn"), "hh:nn");
    // a width where a format belongs is not a format
    EXPECT_EQ(displayFormat(TypeCode::D, "10"), "#0.00");
    EXPECT_EQ(displayFormat(TypeCode::D, "0"), "0");
    EXPECT_EQ(displayFormat(TypeCode::D, "0.00"), "0.00");
    EXPECT_EQ(displayFormat(TypeCode::T, "10"), "yyyy-mm-dd");
    EXPECT_EQ(displayFormat(TypeCode::Y, "8"), "hh:nn:ss");
}

TEST(Dialect, chosenByTheLeadingNumberOfTheKind) {
    EXPECT_FALSE(Dialect::fromKind("1").isQuote());
    EXPECT_FALSE(Dialect::fromKind("0").isQuote());
    EXPECT_FALSE(Dialect::fromKind("").isQuote());
    EXPECT_FALSE(Dialect::fromKind("abc").isQuote());
    EXPECT_FALSE(Dialect::fromKind("-5").isQuote());
    EXPECT_FALSE(Dialect::fromKind("1.0").isQuote());
    EXPECT_TRUE(Dialect::fromKind("2").isQuote());
    EXPECT_TRUE(Dialect::fromKind(" 2 ").isQuote());
    EXPECT_TRUE(Dialect::fromKind("1.5").isQuote());
    EXPECT_TRUE(Dialect::fromKind("3sql").isQuote());
}

TEST(Dialect, literalsOfBothDialects) {
    const Dialect hash = Dialect::fromKind("1");
    const Dialect quote = Dialect::fromKind("2");
    EXPECT_EQ(hash.booleanCondition("proif", false), "proif=false");
    EXPECT_EQ(hash.booleanCondition("proif", true), "proif=true");
    EXPECT_EQ(quote.booleanCondition("proif", false), "proif=0");
    EXPECT_EQ(quote.booleanCondition("proif", true), "proif=1");
    EXPECT_EQ(hash.dateLiteral("2004-02-01"), "#2004-02-01#");
    EXPECT_EQ(quote.dateLiteral("2004-02-01"), "'2004-02-01'");
    EXPECT_EQ(hash.nullTest("NOTE"), "isnull(NOTE)");
    EXPECT_EQ(quote.nullTest("NOTE"), "NOTE is null");
    EXPECT_EQ(Dialect::tableExistsQuery("GZB"), "select * from sysobjects where name='GZB'");
}

TEST(Dialect, probeLiteralsPerTypeCode) {
    const Dialect hash(Dialect::Kind::Hash);
    const Dialect quote(Dialect::Kind::Quote);
    EXPECT_EQ(hash.probeLiteral(TypeCode::S), " = ''");
    EXPECT_EQ(quote.probeLiteral(TypeCode::S), " = ''");
    EXPECT_EQ(hash.probeLiteral(TypeCode::T), " = #1900-01-10#");
    EXPECT_EQ(quote.probeLiteral(TypeCode::T), " = '1900-01-10'");
    EXPECT_EQ(hash.probeLiteral(TypeCode::Y), " = #00:00:01#");
    EXPECT_EQ(quote.probeLiteral(TypeCode::Y), " = '00:00:01'");
    EXPECT_EQ(hash.probeLiteral(TypeCode::D), " = 0.000001");
    EXPECT_EQ(quote.probeLiteral(TypeCode::D), " = 0.000001");
    EXPECT_EQ(hash.probeLiteral(TypeCode::I), " = 1234567");
    EXPECT_EQ(quote.probeLiteral(TypeCode::I), " = 1234567");
    for (TypeCode code : {TypeCode::B, TypeCode::M, TypeCode::O, TypeCode::Unknown}) {
        EXPECT_EQ(hash.probeLiteral(code), " is null");
        EXPECT_EQ(quote.probeLiteral(code), " is null");
    }
}

TEST(Dialect, aValueNeverEndsItsLiteralEarly) {
    EXPECT_EQ(Dialect::textLiteral(""), "''");
    EXPECT_EQ(Dialect::textLiteral("O'Brien"), "'O''Brien'");
    EXPECT_EQ(Dialect::textLiteral("'"), "''''");
    EXPECT_EQ(Dialect::textLiteral("x' or '1'='1"), "'x'' or ''1''=''1'");
    EXPECT_EQ(Dialect::textLiteral("张三 #1"), "'张三 #1'");
    EXPECT_EQ(Dialect::tableExistsQuery("a'b"), "select * from sysobjects where name='a''b'");

    // A value that is no date is a text literal in either dialect: a bare
    // #…# would leave it to the translator, which passes on what it cannot read.
    for (const Dialect& dialect : {Dialect(Dialect::Kind::Hash), Dialect(Dialect::Kind::Quote)}) {
        EXPECT_EQ(dialect.dateLiteral("2024-01-05# or 1=1 or #2024-01-05"),
                  "'2024-01-05# or 1=1 or #2024-01-05'");
        EXPECT_EQ(dialect.dateLiteral("2024-01-05' or '1'='1"), "'2024-01-05'' or ''1''=''1'");
        EXPECT_EQ(dialect.dateLiteral("x or 1=1 --"), "'x or 1=1 --'");
        EXPECT_EQ(dialect.timeLiteral("08:00# or 1=1"), "'08:00# or 1=1'");
        EXPECT_EQ(dialect.dateLiteral("#"), "'#'");
    }
}

TEST(Dialect, anAcceptedDateOrTimeGoesInInItsIsoForm) {
    const Dialect hash(Dialect::Kind::Hash);
    const Dialect quote(Dialect::Kind::Quote);
    const std::pair<const char*, const char*> dates[] = {
        {"2024-01-05", "2024-01-05"},       {"24-1-5", "2024-01-05"},
        {"2024.1.5", "2024-01-05"},         {"2024/1/5", "2024-01-05"},
        {"1/5/2024", "2024-01-05"},         {"2024年1月5日", "2024-01-05"},
        {"2024-01-05 00:00", "2024-01-05"}, {"2024-01-05 08:30:00", "2024-01-05"},
        {" 2024-01-05 ", "2024-01-05"},
    };
    for (const auto& [value, iso] : dates) {
        EXPECT_EQ(hash.dateLiteral(value), QString("#") + iso + "#") << value;
        EXPECT_EQ(quote.dateLiteral(value), QString("'") + iso + "'") << value;
    }
    const std::pair<const char*, const char*> times[] = {
        {"08:30:00", "08:30:00"},
        {"8:30", "08:30:00"},
        {"08:30:00.123456", "08:30:00.123456"},
        {"2024-01-05 08:30", "08:30:00"},
    };
    for (const auto& [value, iso] : times) {
        EXPECT_EQ(hash.timeLiteral(value), QString("#") + iso + "#") << value;
        EXPECT_EQ(quote.timeLiteral(value), QString("'") + iso + "'") << value;
    }
}

TEST(Dialect, otherValuesAreNumbersBooleansOrTextLiterals) {
    const Dialect hash(Dialect::Kind::Hash);
    const Dialect quote(Dialect::Kind::Quote);
    const struct {
        const char* value;
        const char* hash;
        const char* quote;
    } cases[] = {
        {" 1 ", "1", "1"},
        {"-3.5", "-3.5", "-3.5"},
        {"+7", "+7", "+7"},
        {".5", ".5", ".5"},
        {"1e3", "1e3", "1e3"},
        {"007", "007", "007"},
        {"true", "true", "1"},
        {" TRUE ", "true", "1"},
        {"False", "false", "0"},
        {"是", "true", "1"},
        {"否", "false", "0"},
        {"1; drop table zdb3", "'1; drop table zdb3'", "'1; drop table zdb3'"},
        {"1 or 1=1", "'1 or 1=1'", "'1 or 1=1'"},
        {"--1", "'--1'", "'--1'"},
        {"1,000", "'1,000'", "'1,000'"},
        {" x y ", "'x y'", "'x y'"},
        {"O'Brien", "'O''Brien'", "'O''Brien'"},
        {"yes", "'yes'", "'yes'"},
        {"", "''", "''"},
        {"1e", "'1e'", "'1e'"},
        {"０", "'０'", "'０'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hash.valueLiteral(QString::fromUtf8(c.value)), QString::fromUtf8(c.hash))
            << c.value;
        EXPECT_EQ(quote.valueLiteral(QString::fromUtf8(c.value)), QString::fromUtf8(c.quote))
            << c.value;
    }
}

// The connection runs its SQL in the dialect the clause builders write: both
// read the kind text by one rule.
TEST(DatabaseKind, connectionAndDialectReadTheKindAlike) {
    const std::pair<const char*, bool> cases[] = {
        {"", false},  {"1", false}, {"2", true},   {"1.5", true}, {"+2", true},
        {" 2", true}, {"2x", true}, {"x2", false}, {"0", false},
    };
    quill::test::TestDatabase db(quill::test::Engine::Sqlite);
    for (const auto& [kind, quote] : cases) {
        EXPECT_EQ(isQuoteDialectKind(kind), quote) << '"' << kind << '"';
        EXPECT_EQ(Dialect::fromKind(kind).isQuote(), quote) << '"' << kind << '"';
        ConnectionConfig config = db.config();
        config.databaseKind = kind;
        EXPECT_EQ(Connection(config).quoteDialect(), quote) << '"' << kind << '"';
    }
}

TEST(ReservedField, rangeFieldsAndTheirPartsAreNeverConditionItems) {
    for (const char* name : {"zhdate", "ZHDATE", "ZhDate", "zhtime", "ZHTIME", "date", "time",
                             "DATE", "zh", "h", "e zh", "zhdate zhtime"})
        EXPECT_TRUE(isReservedRangeField(QString::fromUtf8(name))) << name;
    for (const char* name : {"zhdate1", "birthdate", "DEPART", "NAME", "zhdates", "日期"})
        EXPECT_FALSE(isReservedRangeField(QString::fromUtf8(name))) << name;
}

} // namespace
