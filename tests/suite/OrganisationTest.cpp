#include "SuiteTables.h"

#include "platform/db/Connection.h"
#include "suite/SuiteLib.h"

namespace quill {
namespace {

class OrganisationTest : public test::SuiteTest {};

TEST_P(OrganisationTest, CodesGiveNamesAtTheirOwnLevel) {
    const QString dept = QStringLiteral("部门");
    EXPECT_EQ(lib().DeptName(dept, QStringLiteral("100")), QStringLiteral("生产部"));
    EXPECT_EQ(lib().DeptName(dept, QStringLiteral(" 200 ")), QStringLiteral("销售部"));
    EXPECT_EQ(lib().TeamName(QStringLiteral("生产部"), QStringLiteral("120")),
              QStringLiteral("二班"));
    EXPECT_EQ(
        lib().GroupName(QStringLiteral("销售部"), QStringLiteral("一班"), QStringLiteral("212")),
        QStringLiteral("乙组"));

    EXPECT_EQ(lib().DeptName(dept, QStringLiteral("110")), QString()); // a team
    EXPECT_EQ(lib().TeamName(QStringLiteral("生产部"), QStringLiteral("100")), QString());
    EXPECT_EQ(lib().GroupName(QString(), QString(), QStringLiteral("110")), QString());
    EXPECT_EQ(lib().DeptName(dept, QStringLiteral("999")), QString());
    EXPECT_EQ(lib().DeptName(dept, QStringLiteral("abc")), QString());
    EXPECT_EQ(lib().DeptName(dept, QString()), QString());
    // Pick-list entries are no teams or groups.
    EXPECT_EQ(lib().TeamName(QString(), QStringLiteral("501")), QString());
    EXPECT_EQ(lib().GroupName(QString(), QString(), QStringLiteral("502")), QString());
}

TEST_P(OrganisationTest, NamesGiveCodesUnderTheNamesAbove) {
    EXPECT_EQ(lib().DeptCode(QStringLiteral("部门"), QStringLiteral("销售部")),
              QStringLiteral("200"));
    EXPECT_EQ(lib().DeptCode(QStringLiteral("部门"), QStringLiteral("销售部 ")),
              QStringLiteral("200"));
    // Both departments have a 一班 and a 甲组.
    EXPECT_EQ(lib().TeamCode(QStringLiteral("生产部"), QStringLiteral("一班")),
              QStringLiteral("110"));
    EXPECT_EQ(lib().TeamCode(QStringLiteral("销售部"), QStringLiteral("一班")),
              QStringLiteral("210"));
    EXPECT_EQ(
        lib().GroupCode(QStringLiteral("生产部"), QStringLiteral("一班"), QStringLiteral("甲组")),
        QStringLiteral("111"));
    EXPECT_EQ(
        lib().GroupCode(QStringLiteral("销售部"), QStringLiteral("一班"), QStringLiteral("甲组")),
        QStringLiteral("211"));

    EXPECT_EQ(lib().DeptCode(QStringLiteral("部门"), QStringLiteral("一班")), QString());
    EXPECT_EQ(lib().TeamCode(QStringLiteral("不存在"), QStringLiteral("一班")), QString());
    EXPECT_EQ(lib().TeamCode(QStringLiteral("生产部"), QStringLiteral("甲组")), QString());
    EXPECT_EQ(
        lib().GroupCode(QStringLiteral("生产部"), QStringLiteral("二班"), QStringLiteral("甲组")),
        QString());
    EXPECT_EQ(lib().DeptCode(QStringLiteral("部门"), QStringLiteral("学历")), QString());
    EXPECT_EQ(lib().DeptCode(QStringLiteral("部门"), QStringLiteral("O'Brien")), QString());
    EXPECT_EQ(lib().DeptCode(QStringLiteral("部门"), QString()), QString());
}

TEST_P(OrganisationTest, NamingEveryCellOfAFullSheetIssuesNoFurtherQuery) {
    const int before = lib().recordsetsOpened();
    EXPECT_EQ(lib().DeptName(QStringLiteral("部门"), QStringLiteral("200")),
              QStringLiteral("销售部"));
    const int afterFirst = lib().recordsetsOpened();
    EXPECT_EQ(afterFirst, before + 1);
    for (int row = 1; row <= 16380; ++row) {
        const QString d = lib().DeptName(QStringLiteral("部门"), QStringLiteral("200"));
        const QString t = lib().TeamName(d, QStringLiteral("210"));
        ASSERT_EQ(lib().GroupName(d, t, QStringLiteral("211")), QStringLiteral("甲组"));
        ASSERT_EQ(lib().GroupCode(d, t, QStringLiteral("乙组")), QStringLiteral("212"));
    }
    EXPECT_EQ(lib().recordsetsOpened(), afterFirst);
}

TEST_P(OrganisationTest, EditedTreeIsReadAgainAfterTheCacheIsDropped) {
    EXPECT_EQ(lib().DeptCode(QStringLiteral("部门"), QStringLiteral("财务部")), QString());
    lib().Connection->Execute(QStringLiteral(
        "insert into zdb3 (parid, proid, proname, proval, proval1) values (0, 300, '财务部', "
        "'3', '03')"));
    EXPECT_EQ(lib().DeptCode(QStringLiteral("部门"), QStringLiteral("财务部")), QString());
    const int before = lib().recordsetsOpened();
    lib().dropOrganisation();
    EXPECT_EQ(lib().DeptCode(QStringLiteral("部门"), QStringLiteral("财务部")),
              QStringLiteral("300"));
    EXPECT_EQ(lib().recordsetsOpened(), before + 1);

    // Another connection is another database: its tree is read afresh.
    lib().Connection = std::make_shared<Connection>(db().config());
    EXPECT_EQ(lib().DeptName(QStringLiteral("部门"), QStringLiteral("300")),
              QStringLiteral("财务部"));
    EXPECT_EQ(lib().recordsetsOpened(), before + 2);
}

QUILL_INSTANTIATE_ENGINES(OrganisationTest);

} // namespace
} // namespace quill
