#include "SuiteTables.h"

#include "platform/db/Connection.h"
#include "suite/SuiteLib.h"

namespace quill {
namespace {

class OrganisationTest : public test::SuiteTest {};

// Departments are looked up by the column caption "部门", teams under their
// department and groups under their department and team: both departments
// have a 一班 and a 甲组. Pick-list entries are no teams or groups.
TEST_P(OrganisationTest, CodesAndNamesAtTheirOwnLevel) {
    const QString dept = "部门";
    const std::pair<QString, QString> depts[] = {
        {"100", "生产部"}, {" 200 ", "销售部"}, {"110", ""}, {"999", ""}, {"abc", ""}, {"", ""}};
    for (const auto& [code, name] : depts)
        EXPECT_EQ(lib().DeptName(dept, code), name) << code.toStdString();
    const std::pair<QString, QString> deptCodes[] = {{"销售部", "200"}, {"销售部 ", "200"},
                                                     {"一班", ""},      {"学历", ""},
                                                     {"O'Brien", ""},   {"", ""}};
    for (const auto& [name, code] : deptCodes)
        EXPECT_EQ(lib().DeptCode(dept, name), code) << name.toStdString();

    // Department, code or name of a team, and what it gives.
    const std::tuple<QString, QString, QString> teams[] = {
        {"生产部", "120", "二班"}, {"生产部", "100", ""}, {"", "501", ""}};
    for (const auto& [d, code, name] : teams)
        EXPECT_EQ(lib().TeamName(d, code), name) << code.toStdString();
    const std::tuple<QString, QString, QString> teamCodes[] = {{"生产部", "一班", "110"},
                                                               {"销售部", "一班", "210"},
                                                               {"不存在", "一班", ""},
                                                               {"生产部", "甲组", ""}};
    for (const auto& [d, name, code] : teamCodes)
        EXPECT_EQ(lib().TeamCode(d, name), code) << d.toStdString() << name.toStdString();

    const std::tuple<QString, QString, QString, QString> groups[] = {
        {"销售部", "一班", "212", "乙组"}, {"", "", "110", ""}, {"", "", "502", ""}};
    for (const auto& [d, t, code, name] : groups)
        EXPECT_EQ(lib().GroupName(d, t, code), name) << code.toStdString();
    const std::tuple<QString, QString, QString, QString> groupCodes[] = {
        {"生产部", "一班", "甲组", "111"},
        {"销售部", "一班", "甲组", "211"},
        {"生产部", "二班", "甲组", ""}};
    for (const auto& [d, t, name, code] : groupCodes)
        EXPECT_EQ(lib().GroupCode(d, t, name), code) << d.toStdString() << t.toStdString();
}

TEST_P(OrganisationTest, NamingEveryCellOfAFullSheetIssuesNoFurtherQuery) {
    const int before = lib().recordsetsOpened();
    EXPECT_EQ(lib().DeptName("部门", "200"), "销售部");
    const int afterFirst = lib().recordsetsOpened();
    EXPECT_EQ(afterFirst, before + 1);
    for (int row = 1; row <= 16380; ++row) {
        const QString d = lib().DeptName("部门", "200");
        const QString t = lib().TeamName(d, "210");
        ASSERT_EQ(lib().GroupName(d, t, "211"), "甲组");
        ASSERT_EQ(lib().GroupCode(d, t, "乙组"), "212");
    }
    EXPECT_EQ(lib().recordsetsOpened(), afterFirst);
}

TEST_P(OrganisationTest, EditedTreeIsReadAgainAfterTheCacheIsDropped) {
    EXPECT_EQ(lib().DeptCode("部门", "财务部"), QString());
    lib().Connection->Execute(
        "insert into zdb3 (parid, proid, proname, proval, proval1) values (0, 300, '财务部', "
        "'3', '03')");
    EXPECT_EQ(lib().DeptCode("部门", "财务部"), QString());
    const int before = lib().recordsetsOpened();
    lib().dropOrganisation();
    EXPECT_EQ(lib().DeptCode("部门", "财务部"), "300");
    EXPECT_EQ(lib().recordsetsOpened(), before + 1);

    // Another connection is another database: its tree is read afresh.
    lib().Connection = std::make_shared<Connection>(db().config());
    EXPECT_EQ(lib().DeptName("部门", "300"), "财务部");
    EXPECT_EQ(lib().recordsetsOpened(), before + 2);
}

QUILL_INSTANTIATE_ENGINES(OrganisationTest);

} // namespace
} // namespace quill
