#include "windows/dialogs/PeriodRange.h"

#include "foundation/Mdlx.h"
#include "platform/db/Recordset.h"
#include "suite/SuiteLib.h"

namespace quill {

const QString PeriodRange::Query = QStringLiteral("select * from SYS03 order by kjqs");

QStringList PeriodRange::load(Recordset& periods) {
    periods.Close();
    periods.Open(Query, *SuiteLib::instance().Connection);
    QStringList texts;
    for (periods.MoveFirst(); !periods.Eof(); periods.MoveNext())
        texts << periods.Value(QStringLiteral("note")).toString();
    return texts;
}

bool PeriodRange::store(bool single, const QString& first, const QString& last) {
    if (QString::compare(first, last, Qt::CaseSensitive) > 0)
        return false;
    SuiteLib::instance().RangeKind = single ? QStringLiteral("time1") : QStringLiteral("time2");
    Mdlx& m = Mdlx::instance();
    m.PeriodFrom = first;
    m.PeriodTo = last;
    return true;
}

} // namespace quill
