#include "RangeState.h"
#include "TestDatabase.h"
#include "TestSql.h"

#include "demo/DemoGenerator.h"
#include "demo/DemoLoader.h"
#include "platform/db/Connection.h"
#include "suite/SuiteLib.h"
#include "windows/dialogs/frmTIME.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include <gmock/gmock.h>

#include <memory>
#include <utility>
#include <vector>

using namespace quill;
using namespace quill::test;
using testing::ElementsAre;

namespace {

QStringList items(const QComboBox& box) {
    QStringList out;
    for (int i = 0; i < box.count(); ++i)
        out << box.itemText(i);
    return out;
}

} // namespace

// The period dialog on the test's engine, over a SYS03 the test fills, in
// the range state of RangeState.
class PeriodDialogTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        RangeState::reset(QStringLiteral("time1"));
        m_connection = std::make_shared<Connection>(db().config());
        SuiteLib::instance().Connection = m_connection;
        SuiteLib::instance().DatabaseKind = db().config().databaseKind;
    }
    void TearDown() override {
        RangeState::clear();
        m_connection.reset();
        EngineTest::TearDown();
    }

    // SYS03 with these rows of kjqs and note, in this insertion order.
    void periods(const std::vector<std::pair<int, QString>>& rows) {
        execSql(*m_connection, QStringLiteral("create table SYS03 (kjqs integer, note text)"));
        for (const auto& [number, text] : rows)
            execSql(*m_connection,
                    QStringLiteral("insert into SYS03 values (%1, '%2')").arg(number).arg(text));
    }
    // The three periods of the range state, inserted out of order.
    void threePeriods() {
        periods({{202603, QStringLiteral("2026年03月")},
                 {202601, QStringLiteral("2026年01月")},
                 {202602, QStringLiteral("2026年02月")}});
    }
    // The dialog, shown (its activation has run) in the range kind given.
    std::unique_ptr<frmTIME> open(const QString& rangeKind = QStringLiteral("time1")) {
        SuiteLib::instance().RangeKind = rangeKind;
        auto w = std::make_unique<frmTIME>();
        w->show();
        return w;
    }

    std::shared_ptr<Connection> m_connection;
};

QUILL_INSTANTIATE_ENGINES(PeriodDialogTest);

// Both lists hold the note texts in kjqs order, also where text order would
// differ.
TEST_P(PeriodDialogTest, ListsThePeriodsInKjqsOrder) {
    periods({{202610, QStringLiteral("2026年10月")},
             {202609, QStringLiteral("2026年9月")},
             {202611, QStringLiteral("2026年11月")}});
    const auto w = open();
    EXPECT_THAT(items(*w->Combo1), ElementsAre("2026年9月", "2026年10月", "2026年11月"));
    EXPECT_EQ(items(*w->Combo2), items(*w->Combo1));
    EXPECT_EQ(w->activations(), 1);
    EXPECT_EQ(w->property("activations").toInt(), 1);
    EXPECT_TRUE(RangeState::picture(*w, QStringLiteral("frmTIME")));
}

// The demo workspace's SYS03 lists its period texts, the values of zhtime.
TEST_P(PeriodDialogTest, ListsTheDemoPeriods) {
    DemoOptions options;
    options.employees = 0;
    options.periods = 14;
    options.photos = 0;
    const DemoGenerator demo(options);
    DemoLoader(*m_connection).load(demo);
    const auto w = open();
    EXPECT_EQ(items(*w->Combo1), demo.periods());
    EXPECT_EQ(items(*w->Combo1).last(), QStringLiteral("2027年02月"));
}

// Activation: "time2" opens the range with both bounds; any other kind opens
// the single period with PeriodFrom in both boxes and the second disabled.
TEST_P(PeriodDialogTest, OpensInTheStoredState) {
    threePeriods();
    struct Case {
        const char* kind;
        bool range;
        const char* last;
    };
    for (const Case& c : {Case{"time2", true, "2026年02月"}, Case{"time1", false, "2026年01月"},
                          Case{"date2", false, "2026年01月"}, Case{"", false, "2026年01月"}}) {
        SCOPED_TRACE(c.kind);
        const auto w = open(QString::fromUtf8(c.kind));
        EXPECT_EQ(w->Option2->isChecked(), c.range);
        EXPECT_EQ(w->Option1->isChecked(), !c.range);
        EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("2026年01月"));
        EXPECT_EQ(w->Combo2->currentText(), QString::fromUtf8(c.last));
        EXPECT_EQ(w->Combo2->isEnabled(), c.range);
        EXPECT_EQ(w->Label1->isEnabled(), c.range);
        EXPECT_TRUE(w->Combo1->isEnabled());
    }
}

// An empty SYS03 gives empty lists; the boxes still show PeriodFrom and OK
// stores what they hold.
TEST_P(PeriodDialogTest, EmptyPeriodTable) {
    periods({});
    const auto w = open();
    EXPECT_EQ(w->Combo1->count(), 0);
    EXPECT_EQ(w->Combo2->count(), 0);
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("2026年01月"));
    EXPECT_EQ(w->Combo2->currentText(), QStringLiteral("2026年01月"));
    w->Command1->click();
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(StoredRange::periods(), (StoredRange{"time1", "2026年01月", "2026年01月"}));
}

// A SYS03 that cannot be read: the database's reason in the status bar,
// empty lists, and a typed period can still be stored.
TEST_P(PeriodDialogTest, UnreadablePeriodTable) {
    const auto w = open(QStringLiteral("time2"));
    EXPECT_THAT(w->StatusBar1->currentMessage().toLower().toStdString(),
                testing::HasSubstr("sys03"));
    EXPECT_EQ(w->Combo1->count(), 0);
    w->Combo2->setEditText(QStringLiteral("2026年05月"));
    w->Command1->click();
    EXPECT_EQ(StoredRange::periods(), (StoredRange{"time2", "2026年01月", "2026年05月"}));
}

// OK compares the texts by character codes: equal bounds pass; a range of
// one-digit and two-digit months is refused although its periods ascend.
// A refusal shows the message, stores nothing and keeps the dialog open.
TEST_P(PeriodDialogTest, OkChecksTheTextOrder) {
    periods({{202609, QStringLiteral("2026年9月")}, {202610, QStringLiteral("2026年10月")}});
    struct Case {
        const char* first;
        const char* last;
        bool accepted;
    };
    for (const Case& c :
         {Case{"2026年03月", "2026年03月", true}, Case{"2026年01月", "2026年03月", true},
          Case{"2026年03月", "2026年01月", false}, Case{"2026年9月", "2026年10月", false},
          Case{"2026年10月", "2026年9月", true}}) {
        SCOPED_TRACE(std::string(c.first) + ".." + c.last);
        RangeState::reset(QStringLiteral("time2"));
        SuiteLib::instance().Connection = m_connection;
        const auto w = open(QStringLiteral("time2"));
        w->Combo1->setEditText(QString::fromUtf8(c.first));
        w->Combo2->setEditText(QString::fromUtf8(c.last));
        w->Command1->click();
        if (c.accepted) {
            EXPECT_FALSE(w->isVisible());
            EXPECT_EQ(w->result(), QDialog::Accepted);
            EXPECT_EQ(StoredRange::periods(), (StoredRange{"time2", c.first, c.last}));
            EXPECT_EQ(w->StatusBar1->currentMessage(), QString());
        } else {
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(w->StatusBar1->currentMessage(), QStringLiteral("请重新调整期数"));
            EXPECT_TRUE(RangeState::picture(*w, QStringLiteral("frmTIME-refused")));
            EXPECT_EQ(StoredRange::periods(), (StoredRange{"time2", "2026年01月", "2026年02月"}));
        }
    }
}

// A typed period that the list lacks is stored exactly as typed: the box
// neither completes it from the list nor adds it to the list.
TEST_P(PeriodDialogTest, TypedPeriodStoredAsTyped) {
    periods({{202512, QStringLiteral("2025年12月")}, {202601, QStringLiteral("2026年01月")}});
    const auto w = open(QStringLiteral("time2"));
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->Combo1->setFocus();
    w->Combo1->setEditText(QStringLiteral("2025年"));
    QTest::keyClicks(w->Combo1->lineEdit(), QStringLiteral("1"));
    QTest::keyClick(w->Combo1->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("2025年1"));
    EXPECT_EQ(w->Combo1->count(), 2);
    w->Command1->click();
    EXPECT_EQ(StoredRange::periods(), (StoredRange{"time2", "2025年1", "2026年02月"}));
}

// The options reload the boxes: the single period with CurrentPeriod (the
// second box disabled), the range with the stored bounds; neither stores.
TEST_P(PeriodDialogTest, OptionsReloadTheBoxes) {
    threePeriods();
    const auto w = open(QStringLiteral("time2"));
    SuiteLib::instance().CurrentPeriod = QStringLiteral("2026年02月");
    QTest::mouseClick(w->Option1, Qt::LeftButton);
    EXPECT_TRUE(w->Option1->isChecked());
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("2026年02月"));
    EXPECT_EQ(w->Combo2->currentText(), QStringLiteral("2026年02月"));
    EXPECT_FALSE(w->Combo2->isEnabled());
    EXPECT_FALSE(w->Label1->isEnabled());
    QTest::mouseClick(w->Option2, Qt::LeftButton);
    EXPECT_TRUE(w->Option2->isChecked());
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("2026年01月"));
    EXPECT_EQ(w->Combo2->currentText(), QStringLiteral("2026年02月"));
    EXPECT_TRUE(w->Combo2->isEnabled());
    EXPECT_TRUE(w->Label1->isEnabled());
    // Closed by the title bar, whatever the boxes hold, nothing is stored.
    w->Combo1->setEditText(QStringLiteral("2026年02月"));
    w->Combo2->setEditText(QStringLiteral("2026年03月"));
    QTest::mouseClick(w->Option1, Qt::LeftButton);
    w->close();
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_EQ(StoredRange::periods(), (StoredRange{"time2", "2026年01月", "2026年02月"}));
}

// In the single period the second box takes the first box's text when the
// first box receives the focus, and only then: after OK PeriodTo holds the
// second box's text, which may differ from PeriodFrom. In the range the
// focus copies nothing.
TEST_P(PeriodDialogTest, SinglePeriodFollowsTheFirstBoxOnFocus) {
    threePeriods();
    const auto w = open();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->Command1->setFocus();
    w->Combo1->setEditText(QStringLiteral("2026年03月"));
    EXPECT_EQ(w->Combo2->currentText(), QStringLiteral("2026年01月"));
    w->Combo1->setFocus();
    EXPECT_EQ(w->Combo2->currentText(), QStringLiteral("2026年03月"));
    w->Combo1->setCurrentIndex(1);
    EXPECT_EQ(w->Combo2->currentText(), QStringLiteral("2026年03月"));
    w->Command1->click();
    EXPECT_EQ(StoredRange::periods(), (StoredRange{"time1", "2026年02月", "2026年03月"}));

    // Reopened in the range over the bounds just stored.
    const auto range = open(QStringLiteral("time2"));
    range->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(range.get()));
    range->Command1->setFocus();
    range->Combo1->setFocus();
    EXPECT_EQ(range->Combo2->currentText(), QStringLiteral("2026年03月"));
}
