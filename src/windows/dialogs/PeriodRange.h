#pragma once

#include <QString>
#include <QStringList>

namespace quill {

class Recordset;

// The period dialog's rules, apart from its controls: which periods it
// lists and what its OK stores.
class PeriodRange {
public:
    static const QString Query; // "select * from SYS03 order by kjqs"

    // The period texts (SYS03.note) in kjqs order, read through `periods` on
    // the suite's connection; raises DbError when SYS03 cannot be read.
    static QStringList load(Recordset& periods);

    // OK: refuses (false, nothing stored) when the first text sorts after the
    // last by character codes, whatever periods they name. Otherwise stores,
    // in this order, RangeKind ("time1" for a single period, else "time2"),
    // PeriodFrom and PeriodTo, both in either mode.
    static bool store(bool single, const QString& first, const QString& last);
};

} // namespace quill
