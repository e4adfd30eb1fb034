#include "SuiteTables.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "suite/SuiteLib.h"

namespace quill {
namespace {

class ColumnDictionaryTest : public test::SuiteTest {};

// The report row named after a table is no table row.
TEST_P(ColumnDictionaryTest, ResolveTableTakesTitlesAndTableNames) {
    const std::pair<QString, QString> cases[] = {
        {"工资管理", "GZB"}, {"gzb", "GZB"}, {"人员档案", "YGZL"}, {"不存在", ""},
        {"O'Brien", ""},     {"", ""},       {"月报", ""}};
    for (const auto& [typed, table] : cases)
        EXPECT_EQ(lib().ResolveTable(typed, QString()), table) << typed.toStdString();
}

// Columns in id order, from 1; position 0 is the table itself. A column
// without a caption goes by its field name.
TEST_P(ColumnDictionaryTest, SelectedTableAnswersByFieldOrCaption) {
    lib().SelectTable("工资管理");
    ASSERT_EQ(lib().ColumnCount(), 7);
    const std::tuple<int, int, QString> attributes[] = {
        {0, 1, "部门"}, {1, 1, "DEPART"},   {2, 1, "S"},   {1, 5, "AMOUNT"},
        {2, 6, "T"},    {0, 0, "工资管理"}, {1, 0, "GZB"}, {0, 8, ""},
        {0, -1, ""},    {9, 1, ""},         {0, 7, "note"}};
    for (const auto& [kind, column, value] : attributes)
        EXPECT_EQ(lib().ColumnAttribute(kind, column), value) << kind << "," << column;

    const std::pair<QString, QString> lookups[] = {
        {"DEPART", "部门"}, {"depart", "部门"}, {"部门", "DEPART"}, {"NAME", "姓名"},
        {"zhdate", "日期"}, {"zhtime", ""},     {"或者", "or"},     {"并且", "and"},
        {"", ""},           {"memberid", ""},   {"NOTE", "note"}};
    for (const auto& [name, other] : lookups)
        EXPECT_EQ(lib().ColumnLookup(name), other) << name.toStdString();

    const std::tuple<QString, QString, QString> types[] = {{"工资", "D", "#,##0.00"},
                                                           {"amount", "D", "#,##0.00"},
                                                           {"Name", "S", "10"},
                                                           {"note", "S", "40"},
                                                           {"没有", "", ""}};
    for (const auto& [name, type, width] : types) {
        EXPECT_EQ(lib().ColumnType(name), type) << name.toStdString();
        EXPECT_EQ(lib().ColumnWidth(name), width) << name.toStdString();
    }

    const std::pair<QString, int> levels[] = {
        {"部门", 3}, {"班名", 2}, {"组名", 1}, {"姓名", 0}, {"没有", 0}};
    for (const auto& [name, level] : levels)
        EXPECT_EQ(lib().OrgLevel(name), level) << name.toStdString();
}

TEST_P(ColumnDictionaryTest, DictionaryFollowsSelectTableAndIsReadOncePerSelect) {
    lib().SelectTable("工资管理");
    const int afterSelect = lib().recordsetsOpened();
    EXPECT_GT(afterSelect, 0);
    for (int row = 0; row < 16380; ++row) {
        lib().ColumnLookup("部门");
        lib().ColumnType("工资");
        lib().OrgLevel("组名");
    }
    EXPECT_EQ(lib().recordsetsOpened(), afterSelect);

    // Restoring the host's table by its table name, as a window does on unload.
    lib().SelectTable(lib().ResolveTable("YGZL", QString()));
    EXPECT_EQ(lib().ColumnCount(), 2);
    EXPECT_EQ(lib().ColumnLookup("PHOTO"), "照片");
    EXPECT_EQ(lib().ColumnLookup("部门"), QString());
    EXPECT_EQ(lib().ColumnAttribute(0, 0), "人员档案");

    lib().SelectTable("不存在");
    EXPECT_EQ(lib().ColumnCount(), 0);
    EXPECT_EQ(lib().ColumnAttribute(0, 0), QString());
    EXPECT_EQ(lib().ColumnLookup("PHOTO"), QString());
    EXPECT_EQ(lib().ColumnLookup("或者"), "or");
}

TEST_P(ColumnDictionaryTest, MissingConnectionOrDictionaryRaises) {
    lib().Connection->Execute("drop table zdb1");
    EXPECT_THROW(lib().SelectTable("工资管理"), DbError);
    lib().Connection.reset();
    EXPECT_THROW(lib().ResolveTable("工资管理", QString()), DbError);
}

QUILL_INSTANTIATE_ENGINES(ColumnDictionaryTest);

} // namespace
} // namespace quill
