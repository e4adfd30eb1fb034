#include "windows/dialogs/DateRange.h"

#include "foundation/Mdlx.h"
#include "platform/vb/Format.h"
#include "platform/vb/ParseDate.h"
#include "suite/SuiteLib.h"

namespace quill {

QDate DateRange::shown(const QString& bound) {
    if (const auto moment = vb::ParseDate(bound))
        return moment->date();
    return SuiteLib::instance().CurrentDate;
}

QString DateRange::text(const QDate& date) {
    return vb::Format(QVariant(date), QStringLiteral("yyyy-mm-dd"));
}

bool DateRange::store(bool single, const QDate& first, const QDate& last) {
    if (first > last)
        return false;
    SuiteLib::instance().RangeKind = single ? QStringLiteral("date1") : QStringLiteral("date2");
    Mdlx& m = Mdlx::instance();
    m.DateFrom = text(first);
    m.DateTo = text(last);
    return true;
}

} // namespace quill
