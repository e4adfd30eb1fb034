#include "DbTestHelpers.h"
#include "TestDatabase.h"

#include "platform/db/DbError.h"
#include "platform/vb/Val.h"

#include <vector>

using namespace quill;
using namespace quill::test;

namespace {

// Every common column type of each engine, with a record of values that are
// easy to lose (microseconds, eighteen decimals, blanks a char(n) pads with,
// a time zone) and a record of nulls. The SQLite table also holds a record
// in forms another program may have written.
const char* const pgTable =
    "create table alltypes (id serial primary key, i2 smallint, i4 integer, i8 bigint, r4 real, "
    "r8 double precision, big numeric(20,2), wide numeric(40,18), t text, c char(6), "
    "v varchar(20), b boolean, d date, h time(6), s timestamp(6), z timestamptz, y bytea, j json, "
    "jb jsonb, u uuid, created timestamp default now())";
const char* const sqliteTable =
    "create table alltypes (id integer primary key, i2 smallint, i4 integer, i8 bigint, r4 real, "
    "r8 double, big numeric(20,2), wide decimal(40,18), t text, c char(6), v varchar(20), "
    "b boolean, d date, h time, s timestamp, z datetime, y blob, j json, jb jsonb, u uuid, a, "
    "created timestamp default current_timestamp)";
const char* const firstRecord =
    "insert into alltypes (i2, i4, i8, r4, r8, big, wide, t, c, v, b, d, h, s, z, y, j, jb, u) "
    "values (-32768, 2147483647, 9223372036854775807, 1.1, 0.1, 123456789012345678.91, "
    "1234567890.123456789012345678, 'it''s; here', 'ab', 'v;''x', true, '2024-01-05', "
    "'10:20:30.123456', '2024-01-05 10:20:30.123456', '2024-01-05 10:20:30.5+08', %1, "
    "'{\"a\": 1,  \"b\": [1, 2]}', '{\"b\": [1, 2]}', 'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11')";
const char* const foreignRecord =
    "insert into alltypes (i4, big, b, d, h, s, z, t) values ('12abc', '1,234.50', 2, '2024/1/5', "
    "'8:05', '2004-02-01T10:20:30', '2024-01-05 10:20:30+08:00', 'foreign')";

// The instant of the first record's time stamp with time zone.
const QDateTime firstInstant(QDate(2024, 1, 5), QTime(2, 20, 30, 500), Qt::UTC);

struct Change {
    const char* column;
    const char* value; // SQL literal another user writes
};

} // namespace

class ColumnTypesTest : public ConnectedTest {
protected:
    void SetUp() override {
        ConnectedTest::SetUp();
        if (!db().available())
            return;
        Connection& c = this->c();
        // The server speaks in a time zone other than the program's.
        if (!sqlite())
            c.Execute("set timezone to 'Pacific/Chatham'");
        c.Execute(sqlite() ? sqliteTable : pgTable);
        c.Execute(QString::fromUtf8(firstRecord)
                      .arg(sqlite() ? QStringLiteral("x'00ff27'") : QStringLiteral("'\\x00ff27'")));
        c.Execute("insert into alltypes default values");
        if (sqlite())
            c.Execute(foreignRecord);
    }

    // The record's values in field order.
    static std::vector<QVariant> valuesOf(const Recordset& rs) {
        std::vector<QVariant> values;
        for (int i = 0; i < rs.FieldCount(); ++i)
            values.push_back(rs.Value(i));
        return values;
    }

    std::vector<QVariant> freshValues(int id) {
        Recordset rs;
        rs.Open(QStringLiteral("select * from alltypes where id = %1").arg(id), c());
        return valuesOf(rs);
    }

    // What the table holds in a column of the first record, with its storage
    // class on SQLite.
    QString stored(const QString& column) {
        const QString expression = sqlite() ? QStringLiteral("typeof(%1) || ':' || %1").arg(column)
                                            : column + QStringLiteral("::text");
        return scalar(c(), QStringLiteral("select %1 from alltypes where id = 1").arg(expression))
            .toString();
    }
};

TEST_P(ColumnTypesTest, ValuesAreReadWithoutLoss) {
    Recordset rs;
    rs.Open("select * from alltypes order by id", c());
    EXPECT_EQ(rs.Value("i8").toLongLong(), 9223372036854775807LL);
    EXPECT_EQ(rs.Value("c").toString(), sqlite() ? QStringLiteral("ab") : QStringLiteral("ab    "));
    EXPECT_EQ(rs.Value("t").toString(), QStringLiteral("it's; here"));
    EXPECT_EQ(rs.Value("y").toByteArray(), QByteArray("\x00\xff\x27", 3));
    EXPECT_EQ(rs.Value("z").toDateTime(), firstInstant);
    EXPECT_EQ(rs.Value("d"), QVariant(QDate(2024, 1, 5)));
    // Values finer than the program's types hold stay exact, as text.
    EXPECT_EQ(rs.Value("h").toString(), QStringLiteral("10:20:30.123456"));
    if (!sqlite()) {
        EXPECT_EQ(rs.Value("s").toString(), QStringLiteral("2024-01-05 10:20:30.123456"));
        EXPECT_EQ(rs.Value("big").toString(), QStringLiteral("123456789012345678.91"));
        EXPECT_EQ(rs.Value("wide").toString(), QStringLiteral("1234567890.123456789012345678"));
        // Still a number to whoever reads it as one.
        EXPECT_DOUBLE_EQ(rs.Value("big").toDouble(), 123456789012345678.91);
        EXPECT_DOUBLE_EQ(vb::Val(rs.Value("big").toString()), 123456789012345678.91);
        EXPECT_EQ(rs.Value("r4").toDouble(), 1.1);
    }
}

// A record read can be written back as it was read, then changed and
// deleted, without being taken for one someone else changed.
TEST_P(ColumnTypesTest, RecordsAreWrittenBackChangedAndDeletedWithoutFalseConflict) {
    Recordset rs;
    rs.Open("select * from alltypes order by id", c());
    const int records = rs.RecordCount();
    for (int id = 1; id <= records; ++id) {
        SCOPED_TRACE(id);
        const std::vector<QVariant> before = valuesOf(rs);
        if (id <= 2) { // the program's own forms: every column written back as read
            for (int i = 1; i < rs.FieldCount(); ++i)
                rs.SetValue(i, before[static_cast<size_t>(i)]);
            ASSERT_NO_THROW(rs.Update());
            EXPECT_EQ(valuesOf(rs), before);
            EXPECT_EQ(freshValues(id), before);
        }
        rs.SetValue("t", QStringLiteral("再改"));
        ASSERT_NO_THROW(rs.Update());
        rs.SetValue("v", QStringLiteral("又改"));
        ASSERT_NO_THROW(rs.Update());
        std::vector<QVariant> after = freshValues(id);
        EXPECT_EQ(after[static_cast<size_t>(rs.FieldIndex("t"))], QStringLiteral("再改"));
        after[static_cast<size_t>(rs.FieldIndex("t"))] =
            before[static_cast<size_t>(rs.FieldIndex("t"))];
        after[static_cast<size_t>(rs.FieldIndex("v"))] =
            before[static_cast<size_t>(rs.FieldIndex("v"))];
        EXPECT_EQ(after, before);
        ASSERT_NO_THROW(rs.Delete());
        if (id < records)
            rs.MoveNext();
    }
    EXPECT_EQ(scalar(c(), "select count(*) from alltypes").toInt(), 0);
    if (!sqlite()) {
        // Nothing was shifted by the session's time zone on the way.
        c().Execute(QString::fromUtf8(firstRecord).arg(QStringLiteral("null")));
        Recordset again;
        again.Open("select * from alltypes", c());
        again.SetValue("z", firstInstant.toLocalTime());
        again.Update();
        EXPECT_DOUBLE_EQ(
            scalar(c(), "select extract(epoch from z)::float8 from alltypes").toDouble(),
            firstInstant.toMSecsSinceEpoch() / 1000.0);
        EXPECT_EQ(again.Value("z").toDateTime(), firstInstant);
    }
}

// A real change of any one column by another user since the record was read
// is still refused, and nothing of the refused write is stored.
TEST_P(ColumnTypesTest, ConcurrentChangeOfAnyColumnIsRefused) {
    const std::vector<Change> pg{{"i2", "1"},
                                 {"i4", "1"},
                                 {"i8", "1"},
                                 {"r4", "2.5"},
                                 {"r8", "2.5"},
                                 {"big", "123456789012345678.92"},
                                 {"wide", "1234567890.123456789012345679"},
                                 {"t", "'x'"},
                                 {"c", "'ab '"},
                                 {"v", "'w'"},
                                 {"b", "false"},
                                 {"d", "'2024-01-06'"},
                                 {"h", "'10:20:30.123457'"},
                                 {"s", "'2024-01-05 10:20:30.123457'"},
                                 {"z", "'2024-01-05 10:20:30.6+08'"},
                                 {"y", "'\\x00'"},
                                 {"j", "'{\"a\": 1, \"b\": [1, 2]}'"},
                                 {"jb", "'{\"b\": [2, 1]}'"},
                                 {"u", "'b0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11'"},
                                 {"created", "created - interval '1 microsecond'"}};
    const std::vector<Change> lite{{"i2", "1"},
                                   {"i4", "2147483646"},
                                   {"i8", "1"},
                                   {"r4", "2.5"},
                                   {"r8", "2.5"},
                                   {"big", "1"},
                                   {"t", "'x'"},
                                   {"c", "'ab '"},
                                   {"v", "'w'"},
                                   {"b", "2"}, // still true, yet changed
                                   {"d", "'2024/1/5'"},
                                   {"h", "'10:20:30.123457'"},
                                   {"s", "'2024-01-05T10:20:30.123456'"},
                                   {"z", "'2024-01-05 10:20:30.6+08'"},
                                   {"y", "x'00'"},
                                   {"j", "'{\"a\":1}'"},
                                   {"u", "upper(u)"},
                                   {"a", "3"},
                                   {"created", "'2000-01-01 00:00:00'"}};
    Connection other(db().config());
    for (const Change& change : sqlite() ? lite : pg) {
        SCOPED_TRACE(change.column);
        const QString mine = QString::fromLatin1(change.column) == QLatin1String("t")
                                 ? QStringLiteral("v")
                                 : QStringLiteral("t");
        const QString before =
            scalar(c(), QStringLiteral("select %1 from alltypes where id = 1").arg(mine))
                .toString();
        Recordset rs;
        rs.Open("select * from alltypes where id = 1", c());
        other.Execute(
            QStringLiteral("update alltypes set %1 = %2 where id = 1")
                .arg(QString::fromLatin1(change.column), QString::fromUtf8(change.value)));
        rs.SetValue(mine, QStringLiteral("mine"));
        try {
            rs.Update();
            ADD_FAILURE() << "the write over a changed record was not refused";
        } catch (const DbError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("记录已被其他用户修改或删除"));
        }
        EXPECT_THROW(rs.Delete(), DbError);
        EXPECT_EQ(scalar(c(), QStringLiteral("select %1 from alltypes where id = 1").arg(mine))
                      .toString(),
                  before);
    }
    // Deleted by the other user: refused as well.
    Recordset rs;
    rs.Open("select * from alltypes where id = 2", c());
    other.Execute("delete from alltypes where id = 2");
    rs.SetValue("t", QStringLiteral("ghost"));
    EXPECT_THROW(rs.Update(), DbError);
    EXPECT_THROW(rs.Delete(), DbError);
    EXPECT_EQ(scalar(c(), "select count(*) from alltypes where id = 2").toInt(), 0);
}

// Typed texts the value rules accept land in the column's own form, so that
// range queries and other programs find them; columns of no known type keep
// what was given.
TEST_P(ColumnTypesTest, TypedTextsAreStoredInTheColumnsForm) {
    struct Case {
        const char* column;
        QVariant typed;
        const char* sqliteStored;
        const char* pgStored;
    };
    const std::vector<Case> cases{
        {"d", QStringLiteral("2024年1月6日"), "text:2024-01-06", "2024-01-06"},
        {"d", QStringLiteral("2024/1/7"), "text:2024-01-07", "2024-01-07"},
        {"d", QStringLiteral(" 24-1-8 "), "text:2024-01-08", "2024-01-08"},
        {"d", QStringLiteral("2024.1.9"), "text:2024-01-09", "2024-01-09"},
        {"h", QStringLiteral("8:05"), "text:08:05:00", "08:05:00"},
        {"s", QStringLiteral("2024年1月6日 8:05"), "text:2024-01-06 08:05:00",
         "2024-01-06 08:05:00"},
        {"s", QStringLiteral("2024/1/6 08:05:09.25"), "text:2024-01-06 08:05:09.250",
         "2024-01-06 08:05:09.25"},
        {"b", QStringLiteral("是"), "integer:1", "true"},
        {"b", QStringLiteral("否"), "integer:0", "false"},
        {"b", QStringLiteral("True"), "integer:1", "true"},
        {"b", QStringLiteral("0"), "integer:0", "false"},
        {"big", QStringLiteral("1,234.50"), "real:1234.5", "1234.50"},
        {"big", QStringLiteral(" 12 "), "integer:12", "12.00"},
        {"i4", QStringLiteral(" 12 "), "integer:12", "12"},
        {"i8", QStringLiteral("9,000,000,000"), "integer:9000000000", "9000000000"},
        {"r8", QStringLiteral("2.5"), "real:2.5", "2.5"},
        {"v", QStringLiteral("2024年1月6日"), "text:2024年1月6日", "2024年1月6日"},
    };
    Recordset rs;
    rs.Open("select * from alltypes where id = 1", c());
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.column) + " " + k.typed.toString().toStdString());
        rs.SetValue(k.column, k.typed);
        ASSERT_NO_THROW(rs.Update());
        EXPECT_EQ(stored(k.column), QString::fromUtf8(sqlite() ? k.sqliteStored : k.pgStored));
        EXPECT_EQ(freshValues(1)[static_cast<size_t>(rs.FieldIndex(k.column))], rs.Value(k.column));
    }
    if (sqlite()) {
        rs.SetValue("a", QStringLiteral("2024年1月6日"));
        rs.Update();
        EXPECT_EQ(stored("a"), QStringLiteral("text:2024年1月6日"));
    }
}

QUILL_INSTANTIATE_ENGINES(ColumnTypesTest);
