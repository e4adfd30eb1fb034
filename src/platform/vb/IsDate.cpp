#include "platform/vb/IsDate.h"

#include "platform/vb/ParseDate.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace quill::vb {

bool IsDate(QStringView text) {
    return ParseDate(text).has_value();
}

bool IsDate(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().isValid();
    case QMetaType::QDateTime:
        return value.toDateTime().isValid();
    case QMetaType::QTime:
        return value.toTime().isValid();
    case QMetaType::QString:
        return IsDate(QStringView(value.toString()));
    default:
        return false;
    }
}

} // namespace quill::vb
