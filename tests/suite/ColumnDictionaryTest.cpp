#include "SuiteTables.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "suite/SuiteLib.h"

namespace quill {
namespace {

class ColumnDictionaryTest : public test::SuiteTest {};

TEST_P(ColumnDictionaryTest, ResolveTableTakesTitlesAndTableNames) {
    EXPECT_EQ(lib().ResolveTable(QStringLiteral("工资管理"), QString()), QStringLiteral("GZB"));
    EXPECT_EQ(lib().ResolveTable(QStringLiteral("gzb"), QString()), QStringLiteral("GZB"));
    EXPECT_EQ(lib().ResolveTable(QStringLiteral("人员档案"), QString()), QStringLiteral("YGZL"));
    EXPECT_EQ(lib().ResolveTable(QStringLiteral("不存在"), QString()), QString());
    EXPECT_EQ(lib().ResolveTable(QStringLiteral("O'Brien"), QString()), QString());
    EXPECT_EQ(lib().ResolveTable(QString(), QString()), QString());
    // The report row named after the table is no table row.
    EXPECT_EQ(lib().ResolveTable(QStringLiteral("月报"), QString()), QString());
}

TEST_P(ColumnDictionaryTest, SelectedTableAnswersByFieldOrCaption) {
    lib().SelectTable(QStringLiteral("工资管理"));
    ASSERT_EQ(lib().ColumnCount(), 7);
    // Columns in id order, from 1; position 0 is the table itself.
    EXPECT_EQ(lib().ColumnAttribute(0, 1), QStringLiteral("部门"));
    EXPECT_EQ(lib().ColumnAttribute(1, 1), QStringLiteral("DEPART"));
    EXPECT_EQ(lib().ColumnAttribute(2, 1), QStringLiteral("S"));
    EXPECT_EQ(lib().ColumnAttribute(1, 5), QStringLiteral("AMOUNT"));
    EXPECT_EQ(lib().ColumnAttribute(2, 6), QStringLiteral("T"));
    EXPECT_EQ(lib().ColumnAttribute(0, 0), QStringLiteral("工资管理"));
    EXPECT_EQ(lib().ColumnAttribute(1, 0), QStringLiteral("GZB"));
    EXPECT_EQ(lib().ColumnAttribute(0, 8), QString());
    EXPECT_EQ(lib().ColumnAttribute(0, -1), QString());
    EXPECT_EQ(lib().ColumnAttribute(9, 1), QString());

    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("DEPART")), QStringLiteral("部门"));
    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("depart")), QStringLiteral("部门"));
    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("部门")), QStringLiteral("DEPART"));
    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("NAME")), QStringLiteral("姓名"));
    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("zhdate")), QStringLiteral("日期"));
    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("zhtime")), QString());
    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("或者")), QStringLiteral("or"));
    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("并且")), QStringLiteral("and"));
    EXPECT_EQ(lib().ColumnLookup(QString()), QString());
    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("memberid")), QString());
    // A column without a caption goes by its field name.
    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("NOTE")), QStringLiteral("note"));
    EXPECT_EQ(lib().ColumnAttribute(0, 7), QStringLiteral("note"));
    EXPECT_EQ(lib().ColumnWidth(QStringLiteral("note")), QStringLiteral("40"));

    EXPECT_EQ(lib().ColumnType(QStringLiteral("工资")), QStringLiteral("D"));
    EXPECT_EQ(lib().ColumnType(QStringLiteral("amount")), QStringLiteral("D"));
    EXPECT_EQ(lib().ColumnWidth(QStringLiteral("工资")), QStringLiteral("#,##0.00"));
    EXPECT_EQ(lib().ColumnWidth(QStringLiteral("Name")), QStringLiteral("10"));
    EXPECT_EQ(lib().ColumnType(QStringLiteral("没有")), QString());
    EXPECT_EQ(lib().ColumnWidth(QStringLiteral("没有")), QString());

    EXPECT_EQ(lib().OrgLevel(QStringLiteral("部门")), 3);
    EXPECT_EQ(lib().OrgLevel(QStringLiteral("班名")), 2);
    EXPECT_EQ(lib().OrgLevel(QStringLiteral("组名")), 1);
    EXPECT_EQ(lib().OrgLevel(QStringLiteral("姓名")), 0);
    EXPECT_EQ(lib().OrgLevel(QStringLiteral("没有")), 0);
}

TEST_P(ColumnDictionaryTest, DictionaryFollowsSelectTableAndIsReadOncePerSelect) {
    lib().SelectTable(QStringLiteral("工资管理"));
    const int afterSelect = lib().recordsetsOpened();
    EXPECT_GT(afterSelect, 0);
    for (int row = 0; row < 16380; ++row) {
        lib().ColumnLookup(QStringLiteral("部门"));
        lib().ColumnType(QStringLiteral("工资"));
        lib().OrgLevel(QStringLiteral("组名"));
    }
    EXPECT_EQ(lib().recordsetsOpened(), afterSelect);

    // Restoring the host's table by its table name, as a window does on unload.
    lib().SelectTable(lib().ResolveTable(QStringLiteral("YGZL"), QString()));
    EXPECT_EQ(lib().ColumnCount(), 2);
    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("PHOTO")), QStringLiteral("照片"));
    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("部门")), QString());
    EXPECT_EQ(lib().ColumnAttribute(0, 0), QStringLiteral("人员档案"));

    lib().SelectTable(QStringLiteral("不存在"));
    EXPECT_EQ(lib().ColumnCount(), 0);
    EXPECT_EQ(lib().ColumnAttribute(0, 0), QString());
    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("PHOTO")), QString());
    EXPECT_EQ(lib().ColumnLookup(QStringLiteral("或者")), QStringLiteral("or"));
}

TEST_P(ColumnDictionaryTest, MissingConnectionOrDictionaryRaises) {
    lib().Connection->Execute(QStringLiteral("drop table zdb1"));
    EXPECT_THROW(lib().SelectTable(QStringLiteral("工资管理")), DbError);
    lib().Connection.reset();
    EXPECT_THROW(lib().ResolveTable(QStringLiteral("工资管理"), QString()), DbError);
}

QUILL_INSTANTIATE_ENGINES(ColumnDictionaryTest);

} // namespace
} // namespace quill
