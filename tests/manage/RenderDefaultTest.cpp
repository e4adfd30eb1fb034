#include "RenderFixture.h"

#include "foundation/Mdlx.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/grid/GridError.h"
#include "suite/SuiteLib.h"

#include <QFile>
#include <QProgressDialog>

#include <functional>

namespace quill::test {

namespace {

class RenderDefaultTest : public RenderFixture {
protected:
    static void sumItems(const QStringList& items) {
        Mdlx& mdlx = Mdlx::instance();
        for (int i = 0; i < items.size(); ++i)
            mdlx.SumFields[std::size_t(i)] = items[i];
        mdlx.SumCount = int(items.size());
    }
};

// Columns of "select *".
enum Col {
    MemberId = 1,
    Name,
    Depart,
    Group0,
    Team,
    Amount,
    Pay,
    Days,
    Birth,
    OnTime,
    SumAmount,
    Note,
    Secret,
    MarkFM0,
    ZhTime
};

TEST_P(RenderDefaultTest, EmptyResultLeavesOneEmptyRowNamedAfterTheQuery) {
    Sheet base;
    base.resize(3, 4);
    base.setEntry(0, 1, QStringLiteral("底稿"));
    base.setEntry(2, 3, QStringLiteral("12"));
    ws->writeBaseSheet(base);
    ws->insert(QStringLiteral("memberid, name, DEPART"), QStringLiteral("'E1', '张三', '101'"));
    ws->setQuery(QStringLiteral("*"), QStringLiteral(" where 1=0"));
    sumItems({QStringLiteral("DAYS")});
    render();

    EXPECT_EQ(renderer->RecordCount(), 0);
    EXPECT_EQ(book->LastRow(), 1);
    ASSERT_EQ(book->LastCol(), ZhTime);
    for (int c = 1; c <= ZhTime; ++c)
        EXPECT_EQ(text(1, c), QString()) << c;
    EXPECT_EQ(book->ColHeading(MemberId), QStringLiteral("工号"));
    EXPECT_EQ(book->ColHeading(ZhTime), QStringLiteral("期间"));
    EXPECT_EQ(book->SheetName(1), QStringLiteral("结果测试[2024年01月]"));
    EXPECT_FALSE(book->AllowCellEditing());
    EXPECT_TRUE(book->showColHeading());
    EXPECT_FALSE(renderer->IsTemplateSheet());
}

TEST_P(RenderDefaultTest, CutsAt16380RowsAndTotalsTheShownRows) {
    ws->insertNumbered(20000);
    ws->setQuery(QStringLiteral("memberid, DAYS, AMOUNT"));
    sumItems({QStringLiteral("DAYS")});
    render();

    EXPECT_EQ(renderer->RecordCount(), ResultSheetRenderer::MaxRows + 1); // more: not counted
    ASSERT_EQ(book->LastRow(), 16381);
    // 134160390 = 1 + ... + 16380
    expectTexts({{1, 1, "E100001"}, {16380, 1, "E116380"}, {16380, 3, "16380.50"}});
    expectTexts({{16381, 1, "合计："}, {16381, 2, "134160390"}, {16381, 3, ""}});
    // the window's recordset is left open on the first record
    EXPECT_EQ(records->State(), 1);
    EXPECT_EQ(records->Value(0).toString(), QStringLiteral("E100001"));
}

TEST_P(RenderDefaultTest, FormatsEachTypeAndShowsNullsEmpty) {
    ws->insert(QStringLiteral("memberid, name, AMOUNT, PAY, DAYS, BIRTH, ONTIME, sumAMOUNT, NOTE, "
                              "zhtime"),
               QStringLiteral("'E1', '张三', 3.5, 2.5, 22, '1980-03-01', '08:30:00', 10, '=1+1', "
                              "'2024年01月'"));
    ws->insert(QStringLiteral("memberid, NOTE"), QStringLiteral("'E2', '''引号'"));
    render();

    ASSERT_EQ(book->LastRow(), 3);
    // PAY in the dictionary's format "#0.0"; stored texts stay texts, whatever
    // they look like; a missing amount is 0, a missing whole number blank.
    expectTexts({{1, Amount, "3.50"}, {1, Pay, "2.5"}, {1, Days, "22"}, {1, Birth, "1980-03-01"}});
    expectTexts({{1, OnTime, "08:30:00"}, {1, SumAmount, "10.00"}, {1, ZhTime, "2024年01月"}});
    expectTexts({{1, Note, "=1+1"}, {2, Note, "'引号"}, {2, Name, ""}, {2, Depart, ""}});
    expectTexts({{2, Birth, ""}, {2, OnTime, ""}, {2, Amount, "0.00"}, {2, Pay, "0.0"}});
    expectTexts({{2, Days, ""}});
}

TEST_P(RenderDefaultTest, BlankForZeroClearsZeroNumbersOnly) {
    const QString columns = QStringLiteral("memberid, AMOUNT, PAY, DAYS");
    ws->insert(columns, QStringLiteral("'E1', 0, 0.01, 0"));
    ws->insert(columns, QStringLiteral("'E2', 0.001, 7, 5"));
    render(false);
    expectTexts({{1, Amount, "0.00"}, {1, Days, "0"}, {1, Pay, "0.0"}});

    render(true); // 0.01 shows as 0.0
    expectTexts({{1, Amount, ""}, {1, Days, ""}, {1, Pay, ""}, {2, Amount, ""}, {2, Pay, "7.0"}});
    expectTexts({{2, Days, "5"}, {1, MemberId, "E1"}});
}

TEST_P(RenderDefaultTest, BaseSheetFormulaAndConstantInNumberCellsStay) {
    Sheet base;
    base.resize(2, ZhTime);
    base.setFormula(1, Amount - 1, QStringLiteral("=F1*2"), QStringLiteral("7"));
    base.setEntry(0, Days - 1, QStringLiteral("99"));
    base.setEntry(0, Name - 1, QStringLiteral("底稿"));
    ws->writeBaseSheet(base);
    for (const char* id : {"'E1'", "'E2'", "'E3'"})
        ws->insert(QStringLiteral("memberid, name, AMOUNT, PAY, DAYS"),
                   QLatin1String(id) + QStringLiteral(", '张三', 3.5, 1, 4"));
    render();

    EXPECT_EQ(book->CellEntry(2, Amount), QStringLiteral("=F1*2"));
    // texts are always written
    expectTexts({{2, Amount, "7"}, {1, Amount, "3.50"}, {3, Amount, "3.50"}, {1, Days, "99"}});
    expectTexts({{2, Days, "4"}, {1, Name, "张三"}});
}

TEST_P(RenderDefaultTest, OrganisationCodesShowAsNamesFromTheCache) {
    const QString columns = QStringLiteral("memberid, DEPART, GROUP0, TEAM");
    ws->insert(columns, QStringLiteral("'E1', '101', '201', '301'"));
    ws->insert(columns, QStringLiteral("'E2', '102', '203', '304'"));
    ws->insert(columns, QStringLiteral("'E3', '999', null, '998'"));
    render();
    expectTexts({{1, Depart, "生产部"}, {1, Group0, "一班"}, {1, Team, "甲组"}});
    expectTexts({{2, Depart, "销售部"}, {2, Group0, "三班"}, {2, Team, "丁组"}, {3, Depart, ""}});
    expectTexts({{3, Group0, ""}, {3, Team, ""}});

    // a second render asks the database for no organisation names
    const int opened = SuiteLib::instance().recordsetsOpened();
    render();
    EXPECT_EQ(SuiteLib::instance().recordsetsOpened(), opened);
    EXPECT_EQ(text(2, Team), QStringLiteral("丁组"));
}

TEST_P(RenderDefaultTest, ReadOnlyColumnsAreBlankAndFM0ColumnsKeepTheSheet) {
    Sheet base;
    base.resize(1, ZhTime);
    base.setEntry(0, Secret - 1, QStringLiteral("底稿密码"));
    base.setEntry(0, MarkFM0 - 1, QStringLiteral("底稿标记"));
    ws->writeBaseSheet(base);
    SuiteLib::instance().ReadOnlyColumns1 = QStringLiteral("密码,标记");
    const QString columns = QStringLiteral("memberid, name, SECRET, MARKFM0");
    ws->insert(columns, QStringLiteral("'E1', '张三', 'pw1', 'm1'"));
    ws->insert(columns, QStringLiteral("'E2', '李四', 'pw2', 'm2'"));
    render();
    expectTexts({{1, Secret, ""}, {2, Secret, ""}, {1, MarkFM0, "底稿标记"}, {2, MarkFM0, ""}});
    expectTexts({{2, Name, "李四"}});
}

TEST_P(RenderDefaultTest, TotalsRowSumsDecimalAndWholeColumns) {
    const QString columns = QStringLiteral("memberid, AMOUNT, PAY, DAYS, MARKFM0");
    ws->insert(columns, QStringLiteral("'E1', 1.25, 1.5, 3, '5'"));
    ws->insert(columns, QStringLiteral("'E2', 2.5, 1, 4, '6'"));
    sumItems({QStringLiteral("AMOUNT"), QStringLiteral("PAY"), QStringLiteral("DAYS"),
              QStringLiteral("MARKFM0"), QStringLiteral("NOSUCH")});
    render();
    ASSERT_EQ(book->LastRow(), 3);
    expectTexts({{3, 1, "合计："}, {3, Amount, "3.75"}, {3, Pay, "2.5"}, {3, Days, "7"}});
    expectTexts({{3, MarkFM0, ""}, {3, SumAmount, ""}, {3, Name, ""}});
}

TEST_P(RenderDefaultTest, GroupedSumsShowUnderTheirFieldsCaption) {
    const QString columns = QStringLiteral("memberid, DEPART, DAYS");
    ws->insert(columns, QStringLiteral("'E1', '101', 3"));
    ws->insert(columns, QStringLiteral("'E2', '101', 4"));
    ws->insert(columns, QStringLiteral("'E3', '102', 5"));
    SuiteLib& lib = SuiteLib::instance();
    lib.SqlSelect = QStringLiteral("select DEPART, sum(DAYS) as sumDAYS ");
    lib.SqlGroup = QStringLiteral(" group by DEPART");
    lib.SqlOrder = QStringLiteral(" order by DEPART");
    sumItems({QStringLiteral("DAYS")});
    render();
    ASSERT_EQ(book->LastRow(), 3);
    EXPECT_EQ(book->ColHeading(2), QStringLiteral("天数"));
    expectTexts({{1, 1, "生产部"}, {1, 2, "7"}, {2, 2, "5"}, {3, 2, "12"}});
}

TEST_P(RenderDefaultTest, FieldsOutsideTheDictionaryShowTheirValues) {
    SuiteLib::instance().ReadOnlyColumns1 = QStringLiteral("密码");
    ws->insert(QStringLiteral("memberid, AMOUNT, DAYS"), QStringLiteral("'E1', -1.005, 3"));
    ws->setQuery(QStringLiteral("memberid, DAYS * 2 as twice, AMOUNT"));
    render();
    EXPECT_EQ(book->ColHeading(2), QString());
    EXPECT_EQ(text(1, 2), QStringLiteral("6")); // not blanked as "read-only" either
    EXPECT_EQ(text(1, 3), QStringLiteral("-1.01"));
}

TEST_P(RenderDefaultTest, SavedWidthsOfSumFieldsUseTheFieldWithoutSum) {
    Sheet base;
    base.resize(1, 3);
    base.setColumnWidth(1, 5120);
    ws->writeBaseSheet(base);
    ws->insert(QStringLiteral("memberid, AMOUNT, sumAMOUNT"), QStringLiteral("'E1', 1, 2"));
    ws->setQuery(QStringLiteral("memberid, sumAMOUNT, AMOUNT"));
    ws->writeSetting(QStringLiteral("RSB-AMOUNT"), QStringLiteral("4000"));
    render();
    F1Book plain;
    plain.ReadFile(ws->reportFolder() + QStringLiteral("/quill.vts"));
    EXPECT_EQ(book->ColWidthOf(2), plain.ColWidthOf(2)); // no "OK" entry: the sheet's widths

    ws->writeSetting(QStringLiteral("RSB-OK"), QStringLiteral("OK"));
    ws->writeSetting(QStringLiteral("RSB-memberid"), QStringLiteral("99999"));
    render();
    EXPECT_EQ(book->ColWidthOf(1), 32767);
    EXPECT_EQ(book->ColWidthOf(2), 4000);
    EXPECT_EQ(book->ColWidthOf(3), 4000);
    ws->writeSetting(QStringLiteral("RSB-AMOUNT"), QString());
    render();
    EXPECT_EQ(book->ColWidthOf(2), 3072);
}

// Whatever can fail does so while the run is prepared, before the sheet, the
// renderer's state or the recordset shown change.
TEST_P(RenderDefaultTest, EverythingThatCanFailFailsBeforeTheSheetChanges) {
    ws->insertNumbered(40);
    ws->insert(QStringLiteral("memberid, DEPART"), QStringLiteral("'E1', '101'"));
    render();
    auto cells = [this] {
        QStringList all;
        for (int r = 1; r <= book->LastRow(); ++r)
            for (int c = 1; c <= book->LastCol(); ++c)
                all << book->CellEntry(r, c);
        return all;
    };
    const QStringList before = cells();
    ASSERT_TRUE(before.contains(QStringLiteral("生产部")));
    const int count = renderer->RecordCount();
    const QString shownRecord = records->Value(0).toString();

    // 32761 rows a page, a page per record: past the last row of a sheet.
    ws->writeTemplate(QStringLiteral("大表"),
                      RenderWorkspace::templateSheet({16380, 1, 16380, 0, 0}));
    const QString base = ws->reportFolder() + QStringLiteral("/quill.vts");
    const QString kept = base + QStringLiteral(".kept");
    struct Case {
        const char* what;
        std::function<void()> breakIt;
        std::function<void()> mend;
        QString report;
        bool database;
    };
    const QList<Case> cases = {
        {"query", [&] { ws->setQuery(QStringLiteral("nosuchfield")); },
         [&] { ws->setQuery(QStringLiteral("*")); }, QString(), true},
        {"template layout", [] {}, [] {}, QStringLiteral("大表"), false},
        {"base sheet", [&] { QFile::rename(base, kept); }, [&] { QFile::rename(kept, base); },
         QString(), false},
        {"organisation",
         [&] {
             SuiteLib::instance().dropOrganisation();
             ws->connection().Execute(QStringLiteral("drop table zdb3"));
         },
         [] {}, QString(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.breakIt();
        if (c.database)
            EXPECT_THROW(renderer->prepare(c.report), DbError);
        else
            EXPECT_THROW(renderer->prepare(c.report), GridError);
        EXPECT_EQ(cells(), before);
        EXPECT_EQ(renderer->RecordCount(), count);
        EXPECT_FALSE(renderer->IsTemplateSheet());
        ASSERT_EQ(records->State(), 1);
        EXPECT_EQ(records->Value(0).toString(), shownRecord);
        c.mend();
    }
}

TEST_P(RenderDefaultTest, ProgressShowsOnlyWhenTheRenderOutlastsTheDelay) {
    ws->insertNumbered(600);
    ws->setQuery(QStringLiteral("memberid, DAYS"));
    render();
    EXPECT_FALSE(renderer->progressShown()); // far below half a second
    renderer->setProgressDelay(0);
    render();
    EXPECT_TRUE(renderer->progressShown());
    EXPECT_EQ(text(600, 1), QStringLiteral("E100600"));
    EXPECT_TRUE(book->findChildren<QProgressDialog*>().isEmpty()); // gone afterwards
}

QUILL_INSTANTIATE_ENGINES(RenderDefaultTest);

} // namespace

} // namespace quill::test
