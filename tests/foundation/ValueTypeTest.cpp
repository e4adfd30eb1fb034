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

// A value checked as the grid saves it and as the entry window does: both
// refuse alike, and only the grid names the value in a length or size message.
struct CheckCase {
    const char* type;
    const char* width;
    const char* text;
    const char* refusal; // nullptr: accepted
};

const CheckCase checkCases[] = {
    // Chinese characters count twice; without a width there is no limit.
    {"S", "10", "张三李四王", nullptr},
    {"S", "10", "张三李四王五", "长度过长"},
    {"S", "10", "abcdefghij", nullptr},
    {"S", "10", "abcdefghijk", "长度过长"},
    {"S", "10", "张三abcdef", nullptr},
    {"S", "10", "张三abcdefg", "长度过长"},
    {"S", " 10 ", "abcdefghijk", "长度过长"},
    {"S", "10", "😀😀😀😀😀", nullptr},
    {"S", "10", "😀😀😀😀😀a", "长度过长"},
    {"S50", "10", "abcdefghijk", "长度过长"},
    {"S", "0", "abc", nullptr},
    {"S", "宽", "abc", nullptr},
    // Whole numbers up to the largest 32-bit value, read from their leading
    // number; decimals up to 1.2E307.
    {"I", "", "2147483647", nullptr},
    {"I", "", "2147483648", "值过大"},
    {"I", "", "2147483647.5", "值过大"},
    {"I", "", "3e9", "值过大"},
    {"I", "", "-99999999999", nullptr},
    {"I", "", "12abc", nullptr},
    {"I", "", "abc", nullptr},
    {"I", "", "  2147483648abc", "值过大"},
    {"D", "#0.00", "1.2E307", nullptr},
    {"D", "", "1.3E307", "值过大"},
    {"D", "", "1e400", "值过大"},
    {"D", "", "-1e400", nullptr},
    {"D", "", "3.50元", nullptr},
    // A number is a date's day count, as the grid stores it.
    {"T", "", "", nullptr},
    {"T", "", "   ", nullptr},
    {"T", "", "2026-01-05", nullptr},
    {"T", "", "2026年1月5日", nullptr},
    {"T", "", "2024-02-29", nullptr},
    {"T", "", "2026-13-01", "日期格式不对"},
    {"T", "", "2026-02-30", "日期格式不对"},
    {"T", "", "2026-02-29", "日期格式不对"},
    {"T", "", "abc", "日期格式不对"},
    {"T", "yyyy年mm月dd日", "明天", "日期格式不对"},
    {"T", "", "46027", nullptr},
    {"T", "", "1e10", "日期格式不对"},
    {"Y", "", "08:30", nullptr},
    {"Y", "", "23:59:59", nullptr},
    {"Y", "", "0.5", nullptr},
    {"Y", "", "24:00", "时间格式不对"},
    {"Y", "", "12:60", "时间格式不对"},
    {"Y", "", "八点", "时间格式不对"},
};

TEST(ValueCheck, refusalsOfTheGridAndTheEntryWindow) {
    for (const CheckCase& c : checkCases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.width + " \"" + c.text + "\"");
        const QString text = QString::fromUtf8(c.text);
        const auto check = [&](CheckStyle style) {
            return checkValue(QString::fromUtf8(c.type), QString::fromUtf8(c.width), text, style);
        };
        if (!c.refusal) {
            EXPECT_EQ(check(CheckStyle::GridSave), std::nullopt);
            EXPECT_EQ(check(CheckStyle::EntryWindow), std::nullopt);
            continue;
        }
        const QString refusal = QString::fromUtf8(c.refusal);
        const bool named = !refusal.endsWith("格式不对");
        EXPECT_EQ(check(CheckStyle::GridSave), named ? text + refusal : refusal);
        EXPECT_EQ(check(CheckStyle::EntryWindow), refusal);
    }
}

TEST(ValueCheck, emptyCellsUncheckedCodesAndTextsWithoutAWidthPass) {
    EXPECT_EQ(checkValue("S", "", QString(300, u'x'), CheckStyle::GridSave), std::nullopt);
    for (const char* type : {"S", "T", "Y", "D", "I", "B", "M", "O", "", "X"})
        EXPECT_EQ(checkValue(type, "1", "", CheckStyle::GridSave), std::nullopt) << type;
    for (const char* type : {"B", "M", "O", "", "X"})
        EXPECT_EQ(checkValue(type, "1", "whatever 2147483648 2026-13-01", CheckStyle::GridSave),
                  std::nullopt)
            << type;
}

TEST(TypeCode, firstCharacterOfTheTypeText) {
    const std::pair<const char*, TypeCode> cases[] = {
        {"S", TypeCode::S},        {"D2", TypeCode::D},        {"i", TypeCode::I},
        {"Text", TypeCode::T},     {"Y", TypeCode::Y},         {"B", TypeCode::B},
        {"M", TypeCode::M},        {"O", TypeCode::O},         {"", TypeCode::Unknown},
        {" S", TypeCode::Unknown}, {"文本", TypeCode::Unknown}};
    for (const auto& [type, code] : cases)
        EXPECT_EQ(typeCodeOf(type), code) << type;
}

TEST(DisplayFormat, defaultsAndDictionaryFormats) {
    const struct {
        TypeCode code;
        const char* dictionary;
        FormatUse use;
        const char* format;
    } cases[] = {{TypeCode::T, "", FormatUse::Display, "yyyy-mm-dd"},
                 {TypeCode::Y, "", FormatUse::Display, "hh:nn:ss"},
                 {TypeCode::D, "", FormatUse::Display, "#0.00"},
                 {TypeCode::D, "", FormatUse::TextExport, "##0.00"},
                 {TypeCode::S, "20", FormatUse::Display, ""},
                 {TypeCode::I, "10", FormatUse::Display, ""},
                 {TypeCode::D, "#,##0.000", FormatUse::Display, "#,##0.000"},
                 {TypeCode::D, " 0.0 ", FormatUse::TextExport, "0.0"},
                 {TypeCode::T, "yyyy年mm月dd日", FormatUse::Display, "yyyy年mm月dd日"},
                 {TypeCode::Y, "hh:nn", FormatUse::Display, "hh:nn"},
                 // A width where a format belongs is not a format.
                 {TypeCode::D, "10", FormatUse::Display, "#0.00"},
                 {TypeCode::D, "0", FormatUse::Display, "0"},
                 {TypeCode::D, "0.00", FormatUse::Display, "0.00"},
                 {TypeCode::T, "10", FormatUse::Display, "yyyy-mm-dd"},
                 {TypeCode::Y, "8", FormatUse::Display, "hh:nn:ss"}};
    for (const auto& c : cases)
        EXPECT_EQ(displayFormat(c.code, c.dictionary, c.use), c.format) << c.dictionary;
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
    const std::tuple<TypeCode, const char*, const char*> cases[] = {
        {TypeCode::S, " = ''", " = ''"},
        {TypeCode::T, " = #1900-01-10#", " = '1900-01-10'"},
        {TypeCode::Y, " = #00:00:01#", " = '00:00:01'"},
        {TypeCode::D, " = 0.000001", " = 0.000001"},
        {TypeCode::I, " = 1234567", " = 1234567"},
        {TypeCode::B, " is null", " is null"},
        {TypeCode::M, " is null", " is null"},
        {TypeCode::O, " is null", " is null"},
        {TypeCode::Unknown, " is null", " is null"}};
    for (const auto& [code, hashLiteral, quoteLiteral] : cases) {
        EXPECT_EQ(hash.probeLiteral(code), hashLiteral) << int(code);
        EXPECT_EQ(quote.probeLiteral(code), quoteLiteral) << int(code);
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
        {" 2024-01-05 ", "2024-01-05"}};
    for (const auto& [value, iso] : dates) {
        EXPECT_EQ(hash.dateLiteral(value), QString("#") + iso + "#") << value;
        EXPECT_EQ(quote.dateLiteral(value), QString("'") + iso + "'") << value;
    }
    const std::pair<const char*, const char*> times[] = {{"08:30:00", "08:30:00"},
                                                         {"8:30", "08:30:00"},
                                                         {"08:30:00.123456", "08:30:00.123456"},
                                                         {"2024-01-05 08:30", "08:30:00"}};
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
    } cases[] = {{" 1 ", "1", "1"},
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
                 {"０", "'０'", "'０'"}};
    for (const auto& c : cases) {
        EXPECT_EQ(hash.valueLiteral(QString::fromUtf8(c.value)), QString::fromUtf8(c.hash))
            << c.value;
        EXPECT_EQ(quote.valueLiteral(QString::fromUtf8(c.value)), QString::fromUtf8(c.quote))
            << c.value;
    }
}

// The connection runs its SQL in the dialect the clause builders write: both
// read the kind text by one rule, its leading number.
TEST(DatabaseKind, connectionAndDialectReadTheKindAlike) {
    const std::pair<const char*, bool> cases[] = {
        {"", false},   {"1", false},   {"2", true},   {"1.5", true}, {"+2", true},
        {" 2", true},  {"2x", true},   {"x2", false}, {"0", false},  {"abc", false},
        {"-5", false}, {"1.0", false}, {" 2 ", true}, {"3sql", true}};
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
