#include "DbTestHelpers.h"
#include "TestDatabase.h"

#include "platform/db/DbError.h"

using namespace quill;
using namespace quill::test;

class RecordsetTest : public ConnectedTest {
protected:
    void SetUp() override {
        ConnectedTest::SetUp();
        if (db().available())
            createPeople(c());
    }
};

TEST_P(RecordsetTest, WalksBothWaysAndStopsAtTheEnds) {
    Recordset rs;
    EXPECT_EQ(rs.State(), 0);
    rs.Open("select id, name from people where id < 3 order by id", c());
    EXPECT_EQ(rs.State(), 1);
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_FALSE(rs.Bof());
    EXPECT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Value(0).toInt(), 1);
    rs.MoveNext();
    EXPECT_EQ(rs.Value("NAME").toString(), "Bob");
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_THROW(rs.Value(0), DbError);
    EXPECT_THROW(rs.MoveNext(), DbError);
    rs.MovePrevious();
    EXPECT_EQ(rs.Value(0).toInt(), 2);
    rs.MovePrevious();
    rs.MovePrevious();
    EXPECT_TRUE(rs.Bof());
    EXPECT_FALSE(rs.Eof());
    EXPECT_THROW(rs.MovePrevious(), DbError);
    rs.MoveLast();
    EXPECT_EQ(rs.Value(0).toInt(), 2);
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    rs.MoveFirst();
    EXPECT_EQ(rs.Value(1).toString(), "Ann");
    EXPECT_THROW(rs.Open("select * from people", c()), DbError); // open already
    EXPECT_EQ(rs.Value(1).toString(), "Ann");
    rs.Close();
    EXPECT_EQ(rs.State(), 0);

    rs.Open("select * from people where id = 99", c());
    EXPECT_TRUE(rs.Eof());
    EXPECT_TRUE(rs.Bof());
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_EQ(rs.FieldCount(), 7);
    rs.MoveFirst();
    rs.MoveLast();
    EXPECT_TRUE(rs.Eof() && rs.Bof());
    EXPECT_THROW(rs.MoveNext(), DbError);
}

TEST_P(RecordsetTest, FieldsByNameAndIndex) {
    Recordset rs;
    rs.Open("select ID, Name as Caption, pay * 2 as twice from people order by id", c());
    EXPECT_EQ(rs.FieldCount(), 3);
    EXPECT_EQ(rs.FieldName(1).toLower(), "caption");
    EXPECT_EQ(rs.Value("caption").toString(), "Ann");
    EXPECT_EQ(rs.Value("CAPTION").toString(), "Ann");
    EXPECT_DOUBLE_EQ(rs.Value("Twice").toDouble(), 21.0);
    EXPECT_EQ(rs.FieldIndex("id"), 0);
    EXPECT_EQ(rs.FieldIndex("nope"), -1);
    EXPECT_THROW(rs.Value("nope"), DbError);
    EXPECT_THROW(rs.Value(3), DbError);
    EXPECT_THROW(rs.Value(-1), DbError);
    EXPECT_THROW(rs.SetValue("twice", 1), DbError); // computed
}

TEST_P(RecordsetTest, ValuesKeepTheirKindAndNullsStayNull) {
    Recordset rs;
    rs.Open("select * from people order by id", c());
    EXPECT_EQ(rs.Value("id").typeId(), QMetaType::Int);
    EXPECT_EQ(rs.Value("name").typeId(), QMetaType::QString);
    EXPECT_EQ(rs.Value("pay").typeId(), QMetaType::Double);
    EXPECT_DOUBLE_EQ(rs.Value("pay").toDouble(), 10.5);
    EXPECT_EQ(rs.Value("born"), QVariant(QDate(1980, 1, 31)));
    EXPECT_EQ(rs.Value("starts"), QVariant(QTime(8, 30)));
    EXPECT_EQ(rs.Value("seen"), QVariant(QDateTime(QDate(2004, 2, 1), QTime(10, 20, 30))));
    EXPECT_EQ(rs.Value("proif"), QVariant(true));
    rs.MoveLast();
    for (const char* f : {"born", "starts", "seen", "proif"})
        EXPECT_TRUE(rs.Value(f).isNull()) << f;

    // Written and read back through another recordset: same values, same kinds.
    rs.MoveFirst();
    rs.SetValue("born", QDate(2000, 2, 29));
    rs.SetValue("starts", QTime(23, 59, 58));
    rs.SetValue("seen", QDateTime(QDate(2010, 1, 2), QTime(3, 4, 5, 600)));
    rs.SetValue("pay", 1234.25);
    rs.SetValue("proif", false);
    rs.SetValue("name", QVariant());
    rs.Update();
    Recordset back;
    back.Open("select * from people where id = 1", c());
    EXPECT_EQ(back.Value("born"), QVariant(QDate(2000, 2, 29)));
    EXPECT_EQ(back.Value("starts"), QVariant(QTime(23, 59, 58)));
    EXPECT_EQ(back.Value("seen"), QVariant(QDateTime(QDate(2010, 1, 2), QTime(3, 4, 5, 600))));
    EXPECT_DOUBLE_EQ(back.Value("pay").toDouble(), 1234.25);
    EXPECT_EQ(back.Value("proif"), QVariant(false));
    EXPECT_TRUE(back.Value("name").isNull());
    // Texts typed by a person land as dates too.
    rs.SetValue("born", QStringLiteral("2004-2-1"));
    rs.Update();
    EXPECT_EQ(rs.Value("born"), QVariant(QDate(2004, 2, 1)));
    if (sqlite()) {
        EXPECT_EQ(scalar(c(), "select typeof(born) || born from people where id = 1"),
                  QVariant(QStringLiteral("text2004-02-01")));
    }
}

// After a write the record shows what the table now holds: the same value
// and kind a fresh read gives, whatever kind of value was written.
TEST_P(RecordsetTest, WrittenRecordShowsWhatATableReadGives) {
    c().Execute("create table mix (k integer primary key, n integer, r double precision, "
                "m numeric(10,2), t varchar(20), d date, h time, s timestamp, b boolean)");
    c().Execute("insert into mix (k) values (1)");
    std::vector<std::pair<const char*, QVariant>> writes{
        {"n", 5},
        {"n", QStringLiteral("12")},
        {"n", 7.0},
        {"n", true},
        {"r", 2},
        {"r", QStringLiteral("2.5")},
        {"m", 3},
        {"m", 3.25},
        {"t", QStringLiteral("x'y")},
        {"t", QString()},
        {"d", QDate(2004, 2, 1)},
        {"d", QStringLiteral("2004/3/9")},
        {"d", QDateTime(QDate(2004, 2, 1), QTime(0, 0))},
        {"h", QTime(7, 8, 9)},
        {"h", QStringLiteral("7:08")},
        {"s", QDateTime(QDate(2004, 2, 1), QTime(7, 8, 9))},
        {"s", QStringLiteral("2004-02-01 07:08:09")},
        {"b", true},
        {"b", 0},
        {"b", QStringLiteral("true")},
        {"n", QVariant()},
    };
    if (sqlite()) {
        // SQLite keeps what does not fit as it is; a fresh read shows it so.
        c().Execute("alter table mix add column a"); // no declared type
        for (const auto& w :
             std::vector<std::pair<const char*, QVariant>>{{"n", QStringLiteral("abc")},
                                                           {"t", 12},
                                                           {"t", 1.5},
                                                           {"a", QDate(2004, 2, 1)},
                                                           {"a", 3}})
            writes.push_back(w);
    }
    Recordset rs;
    rs.Open("select * from mix", c());
    for (const auto& [field, value] : writes) {
        rs.SetValue(field, value);
        rs.Update();
        Recordset fresh;
        fresh.Open("select * from mix", c());
        EXPECT_EQ(rs.Value(field), fresh.Value(field))
            << field << " " << value.toString().toStdString();
        EXPECT_EQ(rs.Value(field).typeId(), fresh.Value(field).typeId()) << field;
    }
    // Changing the key that is the row identity keeps the record writable.
    rs.SetValue("k", 40);
    rs.Update();
    rs.SetValue("n", 41);
    rs.Update();
    EXPECT_EQ(scalar(c(), "select n from mix where k = 40").toInt(), 41);
    rs.Delete();
    EXPECT_EQ(scalar(c(), "select count(*) from mix").toInt(), 0);
}

TEST_P(RecordsetTest, UpdateAndDeleteTouchOnlyTheirRecordBesideEqualOnes) {
    Recordset rs;
    rs.Open("select name, pay from people where id = 3", c());
    ASSERT_EQ(rs.RecordCount(), 2);
    EXPECT_TRUE(rs.isUpdatable());
    rs.MoveLast();
    rs.SetValue("pay", 31);
    rs.Update();
    EXPECT_DOUBLE_EQ(rs.Value("pay").toDouble(), 31.0);
    EXPECT_EQ(scalar(c(), "select count(*) from people where pay = 31").toInt(), 1);
    EXPECT_EQ(scalar(c(), "select count(*) from people where pay = 30").toInt(), 1);

    rs.MoveFirst();
    rs.Delete();
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_THROW(rs.Value(0), DbError); // the deleted record is gone
    rs.MoveNext();
    EXPECT_DOUBLE_EQ(rs.Value("pay").toDouble(), 31.0);
    EXPECT_EQ(scalar(c(), "select count(*) from people where id = 3").toInt(), 1);
    EXPECT_EQ(scalar(c(), "select pay from people where id = 3").toDouble(), 31.0);
    EXPECT_EQ(scalar(c(), "select count(*) from people").toInt(), 3);

    // Moving away with pending values writes them, as a record does on leaving.
    rs.SetValue("name", QStringLiteral("Solo"));
    rs.MovePrevious();
    EXPECT_EQ(scalar(c(), "select name from people where id = 3").toString(), "Solo");
    // Values put aside by CancelUpdate are not written.
    rs.MoveFirst();
    rs.SetValue("name", QStringLiteral("Never"));
    EXPECT_EQ(rs.Value("name").toString(), "Never");
    rs.CancelUpdate();
    EXPECT_EQ(rs.Value("name").toString(), "Solo");
    rs.Update();
    EXPECT_EQ(scalar(c(), "select count(*) from people where name = 'Never'").toInt(), 0);
}

// Two equal records told apart across recordsets by their identity alone,
// whatever order each recordset reads them in.
TEST_P(RecordsetTest, IdentityFindsTheSameRowInAnotherRecordset) {
    Recordset first;
    first.Open("select name, pay from people where id = 3", c());
    first.MoveLast();
    const std::optional<Recordset::RowIdentity> second = first.Identity();
    ASSERT_TRUE(second.has_value());
    first.MoveFirst();
    EXPECT_NE(first.Identity()->row, second->row);

    Recordset other;
    other.Open("select name, pay from people order by id desc", c());
    ASSERT_TRUE(other.MoveToIdentity(*second));
    other.SetValue("pay", 33);
    other.Update();
    EXPECT_NE(other.Identity(), second); // written: another version
    Recordset after;
    after.Open("select name, pay from people", c());
    EXPECT_FALSE(after.MoveToIdentity(*second)); // the row as first read it is gone
    EXPECT_EQ(after.AbsolutePosition(), 0);
    EXPECT_DOUBLE_EQ(scalar(c(), "select sum(pay) from people where id = 3").toDouble(), 63.0);

    const Recordset::RowIdentity written = *other.Identity();
    other.Delete();
    other.MoveFirst();
    EXPECT_FALSE(other.MoveToIdentity(written)); // deleted

    Recordset grouped;
    grouped.Open("select id, count(*) as n from people group by id", c());
    EXPECT_FALSE(grouped.Identity().has_value());
    EXPECT_FALSE(grouped.MoveToIdentity(*second));
}

TEST_P(RecordsetTest, AddNewThenUpdateTwiceThenDelete) {
    Recordset rs;
    rs.Open("select id, name, born from people order by id", c());
    rs.AddNew();
    EXPECT_FALSE(rs.Eof());
    rs.SetValue("id", 7);
    rs.SetValue("name", QStringLiteral("新人"));
    rs.Update();
    EXPECT_EQ(rs.RecordCount(), 5);
    EXPECT_EQ(rs.Value("name").toString(), QStringLiteral("新人"));
    EXPECT_TRUE(rs.Value("born").isNull());
    rs.SetValue("born", QDate(2001, 9, 9));
    rs.Update();
    rs.SetValue("name", QStringLiteral("Newer"));
    rs.Update();
    EXPECT_EQ(scalar(c(), "select name from people where id = 7").toString(), "Newer");
    EXPECT_EQ(scalar(c(), "select born from people where id = 7"), QVariant(QDate(2001, 9, 9)));
    rs.Delete();
    EXPECT_EQ(scalar(c(), "select count(*) from people where id = 7").toInt(), 0);
    EXPECT_EQ(scalar(c(), "select count(*) from people").toInt(), 4);

    // A new record put aside leaves the position where it was.
    rs.MoveFirst();
    rs.AddNew();
    rs.SetValue("id", 8);
    rs.CancelUpdate();
    EXPECT_EQ(rs.Value("id").toInt(), 1);
    EXPECT_EQ(scalar(c(), "select count(*) from people where id = 8").toInt(), 0);
}

TEST_P(RecordsetTest, SecondWriterIsRefusedAndFirstWritersDataStays) {
    Connection other(db().config());
    Recordset mine;
    Recordset theirs;
    mine.Open("select * from people where id = 1", c());
    theirs.Open("select * from people where id = 1", other);
    mine.SetValue("name", QStringLiteral("First"));
    mine.Update();
    theirs.SetValue("name", QStringLiteral("Second"));
    try {
        theirs.Update();
        FAIL() << "the second writer was not refused";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("记录已被其他用户修改或删除"));
    }
    EXPECT_EQ(theirs.Value("name").toString(), "Ann"); // as it was read
    EXPECT_EQ(scalar(c(), "select name from people where id = 1").toString(), "First");
    EXPECT_THROW(theirs.Delete(), DbError);
    EXPECT_EQ(scalar(c(), "select count(*) from people where id = 1").toInt(), 1);

    // Removed meanwhile: refused too, nothing comes back.
    mine.Delete();
    Recordset late;
    late.Open("select * from people where id = 2", other);
    c().Execute("delete from people where id = 2");
    late.SetValue("name", QStringLiteral("Ghost"));
    EXPECT_THROW(late.Update(), DbError);
    EXPECT_EQ(scalar(c(), "select count(*) from people where id = 2").toInt(), 0);
}

TEST_P(RecordsetTest, GroupedAndJoinedResultsAreReadOnly) {
    c().Execute("create table dept (id integer, title varchar(10))");
    c().Execute("insert into dept values (1, 'A')");
    const char* queries[] = {"select id, count(*) from people group by id",
                             "select p.name, d.title from people p join dept d on d.id = p.id",
                             "select sum(pay) from people", "select distinct name from people"};
    for (const char* sql : queries) {
        Recordset rs;
        rs.Open(sql, c());
        EXPECT_FALSE(rs.isUpdatable()) << sql;
        try {
            rs.SetValue(0, 5);
            ADD_FAILURE() << sql;
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("只读"))) << sql;
        }
        EXPECT_THROW(rs.AddNew(), DbError);
        EXPECT_THROW(rs.Delete(), DbError);
    }
    Recordset rs;
    rs.Open("select p.name, d.title from people p join dept d on d.id = p.id", c());
    EXPECT_EQ(rs.Value("title").toString(), "A");
}

TEST_P(RecordsetTest, FailingCommandsRaiseTheDatabasesMessage) {
    Recordset rs;
    try {
        rs.Open("select * from no_such_table", c());
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains("no_such_table")) << e.what();
    }
    EXPECT_EQ(rs.State(), 0);
    EXPECT_THROW(rs.Open("select nonsense from people", c()), DbError);
    EXPECT_THROW(rs.Open("selec * from people", c()), DbError);
    EXPECT_EQ(rs.State(), 0);
    EXPECT_THROW(c().Execute("insert into nowhere values (1)"), DbError);
    EXPECT_THROW(rs.Value(0), DbError);
    EXPECT_THROW(rs.RecordCount(), DbError);
}

TEST_P(RecordsetTest, ValueNotFittingTheColumnLeavesTheRecord) {
    if (sqlite())
        GTEST_SKIP() << "SQLite keeps any value in any column";
    Recordset rs;
    rs.Open("select * from people where id = 1", c());
    rs.SetValue("pay", QStringLiteral("abc"));
    try {
        rs.Update();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains("numeric")) << e.what();
    }
    EXPECT_DOUBLE_EQ(rs.Value("pay").toDouble(), 10.5);
    EXPECT_DOUBLE_EQ(scalar(c(), "select pay from people where id = 1").toDouble(), 10.5);
    // The record can still be written.
    rs.SetValue("pay", 11);
    rs.Update();
    EXPECT_DOUBLE_EQ(scalar(c(), "select pay from people where id = 1").toDouble(), 11.0);
}

TEST_P(RecordsetTest, ClosingTheConnectionClosesItsRecordsets) {
    auto extra = std::make_unique<Connection>(db().config());
    Recordset rs;
    rs.Open("select * from people", *extra);
    extra.reset();
    EXPECT_EQ(rs.State(), 0);
}

QUILL_INSTANTIATE_ENGINES(RecordsetTest);
