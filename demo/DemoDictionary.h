#pragma once

#include <QList>
#include <QVariant>

namespace quill {

// The rows of zdb1 (parid, proid, proname, proval, proif, proval1, proval2):
// the DATABASE root, one table row per data table (proname = module title,
// proval = table name) with its column rows, the REPORT root and the saved
// reports with their item and condition rows. proid counts from 1 in this
// order, so ids ascend in insertion order as the designer's would.
class DemoDictionary {
public:
    static QList<QVariantList> rows();
};

} // namespace quill
