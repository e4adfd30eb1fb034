#include "RangeState.h"

#include "foundation/Mdlx.h"
#include "suite/SuiteLib.h"
#include "windows/dialogs/DateRange.h"
#include "windows/dialogs/frmDATE.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include <gmock/gmock.h>

#include <memory>

using namespace quill;
using namespace quill::test;

// The date dialog in the range state of RangeState; it reads no database.
class DateDialogTest : public testing::Test {
protected:
    void SetUp() override { RangeState::reset(QStringLiteral("date1")); }
    void TearDown() override { RangeState::clear(); }

    // The dialog, shown (its activation has run) in the range kind given.
    static std::unique_ptr<frmDATE> open(const QString& rangeKind = QStringLiteral("date1")) {
        SuiteLib::instance().RangeKind = rangeKind;
        auto w = std::make_unique<frmDATE>();
        w->show();
        return w;
    }
};

TEST_F(DateDialogTest, PickersAndPictures) {
    const auto w = open();
    EXPECT_TRUE(w->DTPicker1->calendarPopup());
    EXPECT_TRUE(w->DTPicker2->calendarPopup());
    EXPECT_EQ(w->property("activations").toInt(), 1);
    EXPECT_TRUE(RangeState::picture(*w, QStringLiteral("frmDATE")));
    QTest::mouseClick(w->Option2, Qt::LeftButton);
    EXPECT_TRUE(RangeState::picture(*w, QStringLiteral("frmDATE-range")));
}

// Activation: "date2" opens the range with both bounds and the second picker
// enabled; any other kind opens the single date with DateFrom in both
// pickers and the second disabled.
TEST_F(DateDialogTest, OpensInTheStoredState) {
    struct Case {
        const char* kind;
        bool range;
        QDate last;
    };
    for (const Case& c :
         {Case{"date2", true, QDate(2026, 3, 31)}, Case{"date1", false, QDate(2026, 3, 2)},
          Case{"time2", false, QDate(2026, 3, 2)}, Case{"", false, QDate(2026, 3, 2)}}) {
        SCOPED_TRACE(c.kind);
        Mdlx::instance().DateFrom = QStringLiteral("2026-3-2");
        const auto w = open(QString::fromUtf8(c.kind));
        EXPECT_EQ(w->Option2->isChecked(), c.range);
        EXPECT_EQ(w->Option1->isChecked(), !c.range);
        EXPECT_EQ(w->DTPicker1->date(), QDate(2026, 3, 2));
        EXPECT_EQ(w->DTPicker2->date(), c.last);
        EXPECT_EQ(w->DTPicker2->isEnabled(), c.range);
        EXPECT_EQ(w->Label1->isEnabled(), c.range);
    }
}

// Stored bounds are read by the module's date parser, in any form it takes;
// one that is no date shows CurrentDate. OK stores "yyyy-mm-dd" with leading
// zeros whatever form the bound had.
TEST_F(DateDialogTest, BoundsReadByTheDateParser) {
    struct Case {
        const char* bound;
        const char* shown;
    };
    for (const Case& c : {Case{"2026-3-5", "2026-03-05"}, Case{"2026/03/05", "2026-03-05"},
                          Case{"2026年3月5日", "2026-03-05"}, Case{"3/5/2026", "2026-03-05"},
                          Case{" 2026-03-05 ", "2026-03-05"}, Case{"26-3-5", "2026-03-05"},
                          Case{"1700-1-9", "1700-01-09"}, Case{"2026-02-30", "2026-03-02"},
                          Case{"abc", "2026-03-02"}, Case{"", "2026-03-02"}}) {
        SCOPED_TRACE(c.bound);
        Mdlx::instance().DateFrom = QString::fromUtf8(c.bound);
        Mdlx::instance().DateTo = QString::fromUtf8(c.bound);
        EXPECT_EQ(DateRange::text(DateRange::shown(QString::fromUtf8(c.bound))), c.shown);

        const auto w = open(QStringLiteral("date2"));
        EXPECT_EQ(DateRange::text(w->DTPicker1->date()), c.shown);
        EXPECT_EQ(DateRange::text(w->DTPicker2->date()), c.shown);
        w->Command1->click();
        EXPECT_EQ(StoredRange::dates(), (StoredRange{"date2", c.shown, c.shown}));
    }
}

// OK compares the dates: equal dates pass in both states, a first date later
// than the last is refused with the message, nothing stored, the dialog open.
// Stored texts always have four year digits and two month and day digits.
TEST_F(DateDialogTest, OkChecksTheDateOrder) {
    struct Case {
        const char* kind;
        QDate first;
        QDate last;
        const char* from; // null: refused
        const char* to;
    };
    for (const Case& c :
         {Case{"date1", QDate(2026, 3, 9), QDate(2026, 3, 9), "2026-03-09", "2026-03-09"},
          Case{"date2", QDate(2026, 3, 9), QDate(2026, 3, 9), "2026-03-09", "2026-03-09"},
          Case{"date2", QDate(2025, 12, 31), QDate(2026, 1, 1), "2025-12-31", "2026-01-01"},
          Case{"date2", QDate(987, 6, 5), QDate(2026, 1, 9), "0987-06-05", "2026-01-09"},
          Case{"date2", QDate(2026, 1, 1), QDate(2025, 12, 31), nullptr, nullptr}}) {
        SCOPED_TRACE(c.kind + (" " + c.first.toString(Qt::ISODate).toStdString()));
        RangeState::reset(QString::fromUtf8(c.kind));
        const auto w = open(QString::fromUtf8(c.kind));
        w->DTPicker1->setDate(c.first);
        w->DTPicker2->setDate(c.last);
        w->Command1->click();
        if (c.from) {
            EXPECT_EQ(w->result(), QDialog::Accepted);
            EXPECT_FALSE(w->isVisible());
            EXPECT_EQ(StoredRange::dates(), (StoredRange{c.kind, c.from, c.to}));
            EXPECT_EQ(w->StatusBar1->currentMessage(), QString());
        } else {
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(w->StatusBar1->currentMessage(), QStringLiteral("请重新调整日期！"));
            EXPECT_EQ(StoredRange::dates(), (StoredRange{c.kind, "2026-03-02", "2026-03-31"}));
        }
    }
}

// In the single date the second picker follows every change of the first,
// so OK stores one date twice; in the range it stays where it is. Closing
// by the title bar stores nothing.
TEST_F(DateDialogTest, SingleDateFollowsTheFirstPicker) {
    const auto w = open();
    w->DTPicker1->setDate(QDate(2026, 4, 30));
    EXPECT_EQ(w->DTPicker2->date(), QDate(2026, 4, 30));
    w->Command1->click();
    EXPECT_EQ(StoredRange::dates(), (StoredRange{"date1", "2026-04-30", "2026-04-30"}));

    const auto range = open(QStringLiteral("date2"));
    range->DTPicker2->setDate(QDate(2026, 5, 31));
    range->DTPicker1->setDate(QDate(2026, 5, 1));
    EXPECT_EQ(range->DTPicker2->date(), QDate(2026, 5, 31));
    // Closed by the title bar, whatever the pickers show, nothing is stored.
    QTest::mouseClick(range->Option1, Qt::LeftButton);
    range->close();
    EXPECT_EQ(range->result(), QDialog::Rejected);
    EXPECT_EQ(StoredRange::dates(), (StoredRange{"date2", "2026-04-30", "2026-04-30"}));
}

// The options reload the pickers: the single date with CurrentDate (the
// second disabled), the range with the stored bounds.
TEST_F(DateDialogTest, OptionsReloadThePickers) {
    const auto w = open(QStringLiteral("date2"));
    SuiteLib::instance().CurrentDate = QDate(2026, 3, 16);
    QTest::mouseClick(w->Option1, Qt::LeftButton);
    EXPECT_TRUE(w->Option1->isChecked());
    EXPECT_EQ(w->DTPicker1->date(), QDate(2026, 3, 16));
    EXPECT_EQ(w->DTPicker2->date(), QDate(2026, 3, 16));
    EXPECT_FALSE(w->DTPicker2->isEnabled());
    EXPECT_FALSE(w->Label1->isEnabled());
    QTest::mouseClick(w->Option2, Qt::LeftButton);
    EXPECT_EQ(w->DTPicker1->date(), QDate(2026, 3, 2));
    EXPECT_EQ(w->DTPicker2->date(), QDate(2026, 3, 31));
    EXPECT_TRUE(w->DTPicker2->isEnabled());
    EXPECT_TRUE(w->Label1->isEnabled());
    w->Command1->click();
    EXPECT_EQ(StoredRange::dates(), (StoredRange{"date2", "2026-03-02", "2026-03-31"}));
}
