#include "SuiteTables.h"

#include "platform/db/Connection.h"
#include "suite/SuiteLib.h"

#include <QStringList>

namespace quill::test {

namespace {

const char* const Zdb1Rows[] = {
    // parid, proid, proname, proval, proval1, proval2
    "0, 1, '数据库', 'DATABASE', '', ''",
    "0, 2, '报表', 'REPORT', '', ''",
    "1, 20, '人员档案', 'YGZL', '', ''",
    "1, 10, '工资管理', 'GZB', '', ''",
    // Column rows out of id order: the dictionary reads them by id.
    "10, 15, '工资', 'AMOUNT', 'D', '#,##0.00'",
    "10, 11, '部门', 'DEPART', 'S', '10'",
    "10, 12, '班名', 'GROUP0', 'S', '10'",
    "10, 13, '组名', 'TEAM', 'S', '10'",
    "10, 14, '姓名', 'name', 'S', '10'",
    "10, 16, '日期', 'ZHDATE', 'T', ''",
    "10, 17, '', 'note', 'S', '40'",
    "20, 21, '工号', 'memberid', 'S', '8'",
    "20, 22, '照片', 'PHOTO', 'S', '200'",
    "2, 30, '月报', 'GZB', '', ''",
};

const char* const Zdb3Rows[] = {
    // parid, proid, proname, proval, proval1
    "0, 200, '销售部', '3', '02'", "0, 100, '生产部', '3', '01'", "100, 110, '一班', '', '01'",
    "100, 120, '二班', '', '02'",  "200, 210, '一班', '', '01'",  "110, 111, '甲组', '', '01'",
    "210, 211, '甲组', '', '01'",  "210, 212, '乙组', '', '02'",  "0, 500, '学历', '2', '01'",
    "500, 501, '大学', '', '01'",  "501, 502, '本科', '', '01'",
};

} // namespace

std::shared_ptr<Connection> suiteDatabase(const ConnectionConfig& config) {
    auto connection = std::make_shared<Connection>(config);
    const QString columns =
        QStringLiteral("(parid integer, proid integer, proname varchar(100), proval varchar(100), "
                       "proif boolean, proval1 varchar(100), proval2 varchar(100))");
    connection->Execute(QStringLiteral("create table zdb1 ") + columns);
    connection->Execute(QStringLiteral("create table zdb3 ") + columns);
    for (const char* row : Zdb1Rows)
        connection->Execute(QStringLiteral("insert into zdb1 (parid, proid, proname, proval, "
                                           "proval1, proval2) values (") +
                            QString::fromUtf8(row) + QLatin1Char(')'));
    for (const char* row : Zdb3Rows)
        connection->Execute(
            QStringLiteral("insert into zdb3 (parid, proid, proname, proval, proval1) values (") +
            QString::fromUtf8(row) + QLatin1Char(')'));
    return connection;
}

void SuiteTest::SetUp() {
    EngineTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    lib().reset();
    lib().Connection = suiteDatabase(db().config());
}

void SuiteTest::TearDown() {
    lib().reset();
    EngineTest::TearDown();
}

SuiteLib& SuiteTest::lib() {
    return SuiteLib::instance();
}

} // namespace quill::test
