#include "platform/db/SelectShape.h"

#include <gtest/gtest.h>

using quill::SelectShape;

TEST(SelectShape, SingleTableSelectsAreFound) {
    struct Case {
        const char* sql;
        const char* table;
    } cases[] = {
        {"select * from YGZL", "YGZL"},
        {"SELECT name, pay FROM ygzl WHERE depart in (select proid from zdb3) ORDER BY name",
         "ygzl"},
        {"select a.* from \"Pay Table\" a where a.x=1", "\"Pay Table\""},
        {"select * from s1.t as x order by 1 limit 5", "s1.t"},
        {"select extract(year from d), 'from other' from t where s='join'", "t"},
        {"select * from t;", "t"},
        {"select * from t ; /* end */ ; -- done", "t"},
    };
    for (const Case& c : cases) {
        const SelectShape shape = SelectShape::analyse(QString::fromUtf8(c.sql));
        EXPECT_TRUE(shape.singleTable()) << c.sql;
        EXPECT_EQ(shape.table().toStdString(), c.table) << c.sql;
    }
    const QString sql = QStringLiteral("select * from t");
    EXPECT_EQ(SelectShape::analyse(sql).withIdentity(sql, QStringLiteral("rowid")),
              QStringLiteral("select rowid, * from t"));
}

TEST(SelectShape, GroupedJoinedAndComputedResultsAreNot) {
    const char* cases[] = {
        "select depart, sum(pay) from t group by depart",
        "select count(*) from t",
        "select max(d) from t where x=1",
        "select * from a, b",
        "select * from a join b on a.id=b.id",
        "select * from a left outer join b on a.id=b.id",
        "select distinct depart from t",
        "select * from (select * from t) q",
        "select * from a union select * from b",
        "with q as (select 1) select * from q",
        "update t set a=1",
        "select 1",
        "select * from t; delete from t",
        "select * from t;; delete from t",
    };
    for (const char* sql : cases)
        EXPECT_FALSE(SelectShape::analyse(QString::fromUtf8(sql)).singleTable()) << sql;
}

TEST(SelectShape, LimitedBoundsASelectThatDoesNotBoundItself) {
    struct Case {
        const char* sql;
        const char* limited; // empty: left as it is
    } cases[] = {
        {"select * from t order by a", "select * from t order by a\nlimit 7"},
        {"select d, sum(p) from t group by d;", "select d, sum(p) from t group by d\nlimit 7"},
        {"select * from t where s = 'x; limit 1' -- limit", "select * from t where s = 'x; limit "
                                                            "1' -- limit\nlimit 7"},
        {"select * from (select * from t limit 3) q", "select * from (select * from t limit 3) "
                                                      "q\nlimit 7"},
        {"select * from a union select * from b", "select * from a union select * from b\nlimit 7"},
        {"select * from t limit 3", ""},
        {"select * from t offset 3", ""},
        {"select * from t fetch first 3 rows only", ""},
        {"select * from t for update", ""},
        {"select * into u from t", ""},
        {"select * from t; delete from t", ""},
        {"with q as (select 1) select * from q", ""},
        {"update t set a = 1", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SelectShape::limited(QString::fromUtf8(c.sql), 7).toStdString(), c.limited)
            << c.sql;
}
