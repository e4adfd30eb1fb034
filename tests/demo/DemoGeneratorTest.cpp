#include "demo/DemoGenerator.h"
#include "TableDump.h"
#include "demo/DemoError.h"
#include "demo/DemoSchema.h"

#include <QSet>

#include <algorithm>

#include <gmock/gmock.h>

using namespace quill;
using namespace quill::test;

namespace {

DemoOptions sized(int employees, int periods, std::uint64_t seed = 1) {
    DemoOptions o;
    o.employees = employees;
    o.periods = periods;
    o.seed = seed;
    o.photoFolder = "/ws/home/photo";
    return o;
}

QList<QVariantList> rowsOf(const DemoGenerator& g, const QString& table) {
    QList<QVariantList> rows;
    g.generate(table, [&rows](const QVariantList& r) { rows << r; });
    return rows;
}

int field(const QString& table, const char* name) {
    return static_cast<int>(DemoSchema::table(table).fields().indexOf(QString::fromLatin1(name)));
}

} // namespace

// The size options give exactly the rows asked for, and every table's rows
// have its columns.
TEST(DemoGenerator, SizesAsAsked) {
    const DemoGenerator g(sized(37, 5));
    EXPECT_EQ(g.periods(),
              (QStringList{"2026年01月", "2026年02月", "2026年03月", "2026年04月", "2026年05月"}));
    EXPECT_EQ(g.currentPeriod(), "2026年05月");
    EXPECT_EQ(rowsOf(g, "YGZL").size(), 37);
    EXPECT_EQ(rowsOf(g, "GZB").size(), 37 * 5);
    // May 2026 has 21 days from Monday to Friday.
    EXPECT_EQ(rowsOf(g, "KQB").size(), 37 * 21);
    EXPECT_EQ(rowsOf(g, "SYS03").size(), 5);
    for (const DemoTable& t : DemoSchema::tables()) {
        const QList<QVariantList> rows = rowsOf(g, t.name);
        EXPECT_EQ(rows.size(), g.rowCount(t.name)) << t.name.toStdString();
        for (const QVariantList& r : rows)
            ASSERT_EQ(r.size(), t.columns.size()) << t.name.toStdString();
    }
    const DemoGenerator twelve(sized(3, 14));
    EXPECT_EQ(twelve.periods().last(), "2027年02月");
    // SYS03: a period number that sorts as the periods run (across the year
    // too) and the period text.
    QList<int> numbers;
    QStringList notes;
    for (const QVariantList& r : rowsOf(twelve, "SYS03")) {
        numbers << r.at(field("SYS03", "kjqs")).toInt();
        notes << r.at(field("SYS03", "note")).toString();
    }
    EXPECT_EQ(notes, twelve.periods());
    EXPECT_EQ(numbers.first(), 202601);
    EXPECT_EQ(numbers.at(11), 202612);
    EXPECT_EQ(numbers.last(), 202702);
    EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end()));
    EXPECT_EQ(DemoGenerator(sized(0, 1)).rowCount("GZB"), 0);
    // Employee numbers have six digits.
    EXPECT_EQ(DemoGenerator(sized(3, 1)).employees().last().memberid, "000003");
    EXPECT_THROW(DemoGenerator(sized(1000000, 1)), DemoError);
    EXPECT_THROW(DemoGenerator(sized(5, 0)), DemoError);
    EXPECT_THROW(DemoGenerator(sized(-1, 1)), DemoError);
}

// One seed, one data set; another seed, other data; employees keep their
// rows when the set grows.
TEST(DemoGenerator, DeterministicBySeed) {
    for (const DemoTable& t : DemoSchema::tables()) {
        EXPECT_EQ(dumpGenerated(DemoGenerator(sized(25, 3, 7)), t),
                  dumpGenerated(DemoGenerator(sized(25, 3, 7)), t))
            << t.name.toStdString();
    }
    for (const char* table : {"YGZL", "GZB", "KQB"}) {
        const DemoTable& t = DemoSchema::table(table);
        EXPECT_NE(dumpGenerated(DemoGenerator(sized(25, 3, 7)), t),
                  dumpGenerated(DemoGenerator(sized(25, 3, 8)), t))
            << table;
    }
    const QList<QVariantList> small = rowsOf(DemoGenerator(sized(10, 2, 7)), "YGZL");
    const QList<QVariantList> large = rowsOf(DemoGenerator(sized(40, 2, 7)), "YGZL");
    EXPECT_EQ(small, large.mid(0, 10));
}

// Employees and pay rows point at real units: the team lies in the
// department, the group in the team; pay items add up.
TEST(DemoGenerator, RowsAreConsistent) {
    const DemoGenerator g(sized(80, 2));
    QHash<int, DemoUnit> units;
    for (const DemoUnit& u : g.units())
        units.insert(u.proid, u);
    QSet<QString> memberIds;
    for (const QVariantList& r : rowsOf(g, "YGZL")) {
        memberIds << r.at(field("YGZL", "memberid")).toString();
        const DemoUnit dept = units.value(r.at(field("YGZL", "DEPART")).toInt());
        const DemoUnit team = units.value(r.at(field("YGZL", "GROUP0")).toInt());
        const DemoUnit group = units.value(r.at(field("YGZL", "TEAM")).toInt());
        EXPECT_EQ(dept.kind, DemoUnit::Department);
        EXPECT_EQ(team.parid, dept.proid);
        EXPECT_EQ(group.parid, team.proid);
    }
    EXPECT_EQ(memberIds.size(), 80);

    const QStringList items{"jbgz", "gwjt", "jxjj", "jbf"};
    for (const QVariantList& r : rowsOf(g, "GZB")) {
        qint64 gross = 0;
        for (const QString& item : items)
            gross += qRound64(r.at(field("GZB", item.toLatin1())).toDouble() * 100);
        const qint64 sum = qRound64(r.at(field("GZB", "sumAMOUNT")).toDouble() * 100);
        const qint64 net = qRound64(r.at(field("GZB", "sfgz")).toDouble() * 100);
        const qint64 deduction = qRound64(r.at(field("GZB", "kk")).toDouble() * 100);
        ASSERT_EQ(sum, gross);
        ASSERT_EQ(net, sum - deduction);
        ASSERT_TRUE(memberIds.contains(r.at(field("GZB", "memberid")).toString()));
        const QString period = r.at(field("GZB", "zhtime")).toString();
        ASSERT_EQ(period, QStringLiteral("%1年%2月")
                              .arg(r.at(field("GZB", "year")).toInt())
                              .arg(r.at(field("GZB", "month")).toInt(), 2, 10, QLatin1Char('0')));
    }
}

// Departments, pick-list heads and their children as the organisation
// readers expect them; sibling order comes from proval1, not from proid.
TEST(DemoGenerator, OrganisationTree) {
    const DemoGenerator g(sized(5, 1));
    QStringList departments;
    QStringList pickLists;
    bool sortDiffersFromIds = false;
    for (const DemoUnit& u : g.units()) {
        if (u.kind == DemoUnit::Department)
            departments << u.name;
        if (u.kind == DemoUnit::PickList)
            pickLists << u.name;
        for (const DemoUnit& v : g.units()) {
            if (v.parid == u.parid && v.proid > u.proid && v.sortKey < u.sortKey)
                sortDiffersFromIds = true;
        }
    }
    EXPECT_GE(departments.size(), 3);
    EXPECT_EQ(QSet<QString>(departments.begin(), departments.end()).size(), departments.size());
    EXPECT_THAT(pickLists, ::testing::IsSupersetOf({"性别", "学历"}));
    EXPECT_TRUE(sortDiffersFromIds);
}
