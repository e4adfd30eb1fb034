#include "Printers.h"
#include "TestDatabase.h"

#include "demo/DemoGenerator.h"
#include "demo/DemoWorkspace.h"
#include "foundation/Mdlx.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "platform/vb/Format.h"
#include "platform/vb/Val.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ResultSheetRenderer.h"

#include <QSqlQuery>

namespace quill::test {

namespace {

class RenderDemoTest : public EngineTest {};

// The demo's pay slip report on its own paged template (4 header rows, 10
// records a page, 4 footer rows with labels of their own).
TEST_P(RenderDemoTest, PaySlipTemplateOfTheDemoWorkspace) {
    DemoOptions options;
    options.employees = 25;
    options.periods = 2;
    DemoWorkspace demo(db().folder() + QStringLiteral("/ws"));
    const bool pg = GetParam() == Engine::Pg;
    if (pg)
        demo.create(options, db().config());
    else
        demo.create(options);
    ConnectionConfig config = pg ? db().config() : demo.sqliteConfig();
    config.databaseKind = pg ? QStringLiteral("2") : QStringLiteral("1");
    const QString period = DemoGenerator(options).currentPeriod();

    SuiteLib& lib = SuiteLib::instance();
    lib.reset();
    Mdlx::instance().reset();
    lib.Connection = std::make_shared<Connection>(config);
    lib.DatabaseKind = config.databaseKind;
    lib.SelectTable(QStringLiteral("GZB"));
    lib.TableName = QStringLiteral("GZB");
    lib.ReportFolder = demo.reportFolder();
    lib.CurrentPeriod = period;
    lib.QueryCaption = QStringLiteral("工资条[") + period + u']';
    lib.SqlSelect = QStringLiteral("select memberid,name,DEPART,jbgz,jxjj,sumAMOUNT,kk,sfgz ");
    lib.SqlFrom = QStringLiteral(" from GZB ");
    lib.SqlWhere = QStringLiteral("where zhtime='") + period + u'\'';
    lib.SqlOrder = QStringLiteral(" order by memberid");
    Mdlx::instance().SumFields[0] = QStringLiteral("sumAMOUNT");
    Mdlx::instance().SumFields[1] = QStringLiteral("sfgz");
    Mdlx::instance().SumCount = 2;

    double paid = 0;
    {
        QSqlQuery sum(lib.Connection->database());
        ASSERT_TRUE(
            sum.exec(QStringLiteral("select sum(sfgz) from GZB where zhtime='") + period + u'\''));
        ASSERT_TRUE(sum.next());
        paid = sum.value(0).toDouble();
    }

    F1Book book;
    ResultSheetRenderer renderer(book);
    ResultSheetRenderer::Prepared run = renderer.prepare(QStringLiteral("工资条"));
    renderer.show(run, false);

    EXPECT_EQ(renderer.RecordCount(), 25);
    EXPECT_EQ(renderer.PageCount(), 3);
    EXPECT_EQ(renderer.RowsPerBlock(), 18);
    EXPECT_TRUE(renderer.IsTemplateSheet());
    ASSERT_EQ(book.LastRow(), 55); // three pages and the totals row
    // footers: the template's labels, names counted, amounts summed
    const struct {
        int row, col;
        QString text;
    } cells[] = {{2, 1, "工资条"},       {20, 1, "工资条"},
                 {22, 2, "姓名"},        {3, 4, period},
                 {16, 1, "本页合计"},    {17, 1, "累计"},
                 {16, 2, "10"},          {35, 2, "20"},
                 {52, 2, "5"},           {53, 2, "25"},
                 {18, 8, "第1页,共3页"}, {54, 8, "第3页,共3页"},
                 {55, 1, "合计："},      {55, 8, vb::Format(paid, QStringLiteral("#0.00"))}};
    for (const auto& c : cells)
        EXPECT_EQ(book.CellText(c.row, c.col), c.text) << "cell " << c.row << "," << c.col;
    EXPECT_NEAR(vb::Val(book.CellText(53, 8)), paid, 0.005);
    run.data.reset();
    lib.reset();
}

QUILL_INSTANTIATE_ENGINES(RenderDemoTest);

} // namespace

} // namespace quill::test
