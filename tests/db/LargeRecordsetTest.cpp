#include "DbTestHelpers.h"
#include "TestDatabase.h"

#include "platform/db/DbError.h"

#include <QSqlQuery>

#include <algorithm>
#include <vector>

using namespace quill;
using namespace quill::test;

namespace {

// A record as compared: id, name, and amount (null kept apart from 0).
struct Row {
    int id;
    QString name;
    QVariant amount;
    bool operator==(const Row& o) const {
        return id == o.id && name == o.name && amount.isNull() == o.amount.isNull() &&
               amount.toDouble() == o.amount.toDouble();
    }
};

Row rowOf(const Recordset& rs) {
    return {rs.Value(0).toInt(), rs.Value(1).toString(), rs.Value(2)};
}

} // namespace

// Results larger than the block a recordset reads at a time.
class LargeRecordsetTest : public ConnectedTest {
protected:
    void fill(int rows) {
        c().Execute("create table big (id integer primary key, name varchar(20), amount double "
                    "precision)");
        c().Execute(QStringLiteral("insert into big with recursive s(i) as (select 1 union all "
                                   "select i + 1 from s where i < %1) select i, 'n' || i, case "
                                   "when i % 7 = 0 then null else i * 0.25 end from s")
                        .arg(rows));
    }
};

TEST_P(LargeRecordsetTest, ReadBothWaysToTheEndAndBackEqualsAPlainRead) {
    fill(100000);
    const QString sql = QStringLiteral("select id, name, amount from big order by id desc");
    std::vector<Row> plain;
    QSqlQuery q(c().database());
    q.setForwardOnly(true);
    ASSERT_TRUE(q.exec(sql));
    while (q.next())
        plain.push_back({q.value(0).toInt(), q.value(1).toString(), q.value(2)});
    ASSERT_EQ(plain.size(), 100000u);

    Recordset rs;
    rs.Open(sql, c());
    EXPECT_EQ(rs.RecordCount(), 100000); // counted before the records are read
    std::vector<Row> forward;
    for (; !rs.Eof(); rs.MoveNext())
        forward.push_back(rowOf(rs));
    EXPECT_TRUE(forward == plain);
    std::vector<Row> backward;
    for (rs.MovePrevious(); !rs.Bof(); rs.MovePrevious())
        backward.push_back(rowOf(rs));
    std::reverse(backward.begin(), backward.end());
    EXPECT_TRUE(backward == plain);

    Recordset last;
    last.Open(sql, c());
    last.MoveLast();
    EXPECT_EQ(rowOf(last), plain.back());
    EXPECT_EQ(last.AbsolutePosition(), 99999);
    const auto identity = last.Identity();
    last.MoveFirst();
    EXPECT_EQ(rowOf(last), plain.front());
    Recordset found;
    found.Open(sql, c());
    EXPECT_TRUE(found.MoveToIdentity(*identity));
    EXPECT_EQ(rowOf(found), plain.back());
}

// Records of a later block than the first: a second connection's insert,
// update and delete after the recordset opened neither show in it nor let
// it overwrite or delete what changed; its own writes show.
TEST_P(LargeRecordsetTest, SecondConnectionsWritesDoNotChangeWhatItShows) {
    fill(20000);
    Recordset rs;
    rs.Open("select id, name, amount from big order by id", c());
    rs.SetValue("name", QStringLiteral("mine"));
    rs.Update();
    Connection other(db().config());
    other.Execute("insert into big values (20001, 'late', 1)");
    other.Execute("update big set name = 'theirs' where id in (15000, 15001)");
    other.Execute("delete from big where id = 16000");
    EXPECT_EQ(rs.RecordCount(), 20000);

    int records = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        ++records;
        const Row row = rowOf(rs);
        EXPECT_EQ(row.name, row.id == 1 ? QStringLiteral("mine") : "n" + QString::number(row.id));
        if (row.id == 15000) {
            rs.SetValue("amount", 2);
            EXPECT_THROW(rs.Update(), DbError);
        }
        if (row.id == 15001 || row.id == 16000) {
            EXPECT_THROW(rs.Delete(), DbError) << row.id;
        }
    }
    EXPECT_EQ(records, 20000);
    EXPECT_EQ(scalar(c(), "select name from big where id = 15000").toString(), "theirs");
    EXPECT_EQ(scalar(c(), "select count(*) from big where id = 15001").toInt(), 1);

    // Inside a transaction a recordset sees the transaction's own writes.
    c().BeginTrans();
    c().Execute("update big set name = 'pending' where id = 20000");
    Recordset inside;
    inside.Open("select id, name, amount from big order by id", c());
    inside.MoveLast();
    inside.MovePrevious();
    EXPECT_EQ(inside.Value("name").toString(), "pending");
    c().RollbackTrans();
}

// A recordset that reads at most n records ends its snapshot once it has
// them: while it stays open another connection can alter the table
// (PostgreSQL) or checkpoint the log written since (SQLite), which an
// unbounded one holding its snapshot prevents.
TEST_P(LargeRecordsetTest, MaxRecordsReadsTheFirstOnlyAndEndsTheSnapshot) {
    fill(20000);
    const QString sql = QStringLiteral("select id, name, amount from big order by id");
    const bool pg = c().engine() == ConnectionConfig::Engine::Postgres;
    Connection other(db().config());
    if (pg)
        other.Execute("set lock_timeout = '300ms'");
    int attempt = 0;
    const auto otherGetsThrough = [&] {
        ++attempt;
        if (pg) {
            try {
                other.Execute(
                    QStringLiteral("alter table big add column c%1 integer").arg(attempt));
                return true;
            } catch (const DbError&) {
                return false;
            }
        }
        other.Execute(QStringLiteral("update big set name = 'w%1' where id = 1").arg(attempt));
        QSqlQuery q(other.database());
        EXPECT_TRUE(q.exec("pragma wal_checkpoint(passive)") && q.next());
        return q.value(0).toInt() == 0 && q.value(2).toInt() == q.value(1).toInt();
    };
    {
        Recordset whole;
        whole.Open(sql, c());
        EXPECT_FALSE(otherGetsThrough());
    }
    Recordset first;
    first.SetMaxRecords(10000);
    first.Open(sql, c());
    EXPECT_EQ(first.RecordCount(), 10000);
    EXPECT_TRUE(otherGetsThrough());
    int read = 0;
    for (; !first.Eof(); first.MoveNext())
        EXPECT_EQ(first.Value(0).toInt(), ++read);
    EXPECT_EQ(read, 10000);
    first.MoveLast();
    EXPECT_EQ(first.AbsolutePosition(), 9999);
    first.Close();
    first.Open("select id from big where id <= 5",
               c()); // the bound stays; a smaller result is whole
    EXPECT_EQ(first.RecordCount(), 5);
}

QUILL_INSTANTIATE_ENGINES(LargeRecordsetTest);
