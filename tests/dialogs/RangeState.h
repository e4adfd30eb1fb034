#pragma once

#include <QDate>
#include <QString>

#include <ostream>

class QWidget;

// Texts and dates in failure messages as people read them.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QDate& date, std::ostream* os) {
    *os << date.toString(Qt::ISODate).toStdString();
}

namespace quill::test {

// What a range dialog's OK stores: the range kind and the two bounds.
struct StoredRange {
    QString kind;
    QString from;
    QString to;
    bool operator==(const StoredRange&) const = default;
    // RangeKind with PeriodFrom and PeriodTo, or with DateFrom and DateTo.
    static StoredRange periods();
    static StoredRange dates();
};

inline void PrintTo(const StoredRange& s, std::ostream* os) {
    *os << s.kind.toStdString() << ' ' << s.from.toStdString() << ".." << s.to.toStdString();
}

// The range state the main window's start-up leaves, with bounds the tests
// can tell apart: SuiteLib and Mdlx are reset first.
struct RangeState {
    static inline const QString CurrentPeriod = QStringLiteral("2026年03月");
    static inline const QDate CurrentDate = QDate(2026, 3, 2);

    // CurrentPeriod, CurrentDate and RangeKind in SuiteLib; PeriodFrom
    // "2026年01月", PeriodTo "2026年02月", DateFrom "2026-03-02", DateTo
    // "2026-03-31" in Mdlx.
    static void reset(const QString& rangeKind);
    // SuiteLib and Mdlx back to fresh instances.
    static void clear();

    // Saves a picture of the window into the folder named by the environment
    // variable QUILL_TEST_PICTURES (when set) as NAME.png; false when the
    // window drew nothing.
    static bool picture(QWidget& window, const QString& name);
};

} // namespace quill::test
