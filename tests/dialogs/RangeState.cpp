#include "RangeState.h"

#include "foundation/Mdlx.h"
#include "suite/SuiteLib.h"

#include <QPixmap>
#include <QWidget>

namespace quill::test {

StoredRange StoredRange::periods() {
    const Mdlx& m = Mdlx::instance();
    return {SuiteLib::instance().RangeKind, m.PeriodFrom, m.PeriodTo};
}

StoredRange StoredRange::dates() {
    const Mdlx& m = Mdlx::instance();
    return {SuiteLib::instance().RangeKind, m.DateFrom, m.DateTo};
}

void RangeState::reset(const QString& rangeKind) {
    clear();
    SuiteLib& lib = SuiteLib::instance();
    lib.CurrentPeriod = CurrentPeriod;
    lib.CurrentDate = CurrentDate;
    lib.RangeKind = rangeKind;
    Mdlx& m = Mdlx::instance();
    m.PeriodFrom = QStringLiteral("2026年01月");
    m.PeriodTo = QStringLiteral("2026年02月");
    m.DateFrom = QStringLiteral("2026-03-02");
    m.DateTo = QStringLiteral("2026-03-31");
}

void RangeState::clear() {
    SuiteLib::instance().reset();
    Mdlx::instance().reset();
}

bool RangeState::picture(QWidget& window, const QString& name) {
    const QPixmap picture = window.grab();
    const QString folder = qEnvironmentVariable("QUILL_TEST_PICTURES");
    if (!folder.isEmpty())
        picture.save(folder + u'/' + name + QStringLiteral(".png"));
    return !picture.isNull() && picture.size() == window.size();
}

} // namespace quill::test
