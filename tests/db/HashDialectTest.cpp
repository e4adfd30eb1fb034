#include "platform/db/HashDialect.h"

#include <gtest/gtest.h>

using quill::HashDialect;

namespace {

std::string tr(const char* sql) {
    return HashDialect::translate(QString::fromUtf8(sql)).toStdString();
}

} // namespace

TEST(HashDialect, DateAndTimeLiteralsBecomeQuotedStoredForms) {
    EXPECT_EQ(tr("select * from t where d>=#2004-02-01# and d<=#2004-2-9#"),
              "select * from t where d>='2004-02-01' and d<='2004-02-09'");
    EXPECT_EQ(tr("where t=#8:05:00#"), "where t='08:05:00'");
    EXPECT_EQ(tr("where x=#2004-02-01 08:30:00#"), "where x='2004-02-01 08:30:00'");
    EXPECT_EQ(tr("where d=#02/01/2004#"), "where d='2004-02-01'"); // month first
    EXPECT_EQ(tr("where proif=false or proif=true"), "where proif=false or proif=true");
}

TEST(HashDialect, IsnullCallsBecomeIsNullTests) {
    EXPECT_EQ(tr("where isnull(name)"), "where (name) is null");
    EXPECT_EQ(tr("where ISNULL ( a )"), "where ( a ) is null");
    EXPECT_EQ(tr("where isnull(coalesce(a, (b)), c) or x=1"),
              "where (coalesce(a, (b)), c) is null or x=1");
    EXPECT_EQ(tr("where isnull(isnull(a))"), "where ((a) is null) is null");
    EXPECT_EQ(tr("where isnull(f(')'))"), "where (f(')')) is null");
}

TEST(HashDialect, NamesAndLiteralsAreLeftAlone) {
    const char* untouched[] = {
        "select myisnull(a), isnull_flag, t.isnull(b) from t",
        "select * from t where s='#2004-02-01#' and u='isnull(x)' and v='a -- b' and w='it''s #1#'",
        "select \"isnull(a)\", [#2004-01-01#] from t",
        "select a#b from t",
        "select * from t -- isnull(x) #2004-01-01#\n",
        "select * from t /* isnull(x) */",
        "select isnull from t",
        "where x = '#' or y = '#'",
    };
    for (const char* sql : untouched)
        EXPECT_EQ(tr(sql), sql);
    // After a literal with a doubled quote, translation goes on.
    EXPECT_EQ(tr("where n='O''Brien' and isnull(d)"), "where n='O''Brien' and (d) is null");
    // An unclosed call or literal is passed on for the database to refuse.
    EXPECT_EQ(tr("where isnull(a"), "where isnull(a");
    EXPECT_EQ(tr("where d=#2004-02-01"), "where d=#2004-02-01");
}
