#include "windows/manage/SheetEntryValue.h"

#include "platform/vb/DateSerial.h"
#include "platform/vb/ParseDate.h"
#include "platform/vb/Val.h"

#include <cmath>
#include <optional>

namespace quill {

QVariant sheetEntryValue(TypeCode code, const QString& text) {
    const QString trimmed = text.trimmed();
    switch (code) {
    case TypeCode::S:
        return text;
    case TypeCode::T:
    case TypeCode::Y: {
        // A cleared cell holds no date, never the zero date.
        if (trimmed.isEmpty())
            return QVariant();
        const std::optional<QDateTime> at = vb::ParseDate(trimmed);
        const QDateTime moment = at ? *at : vb::DateTimeFromSerial(vb::Val(trimmed));
        return code == TypeCode::T ? QVariant(moment.date()) : QVariant(moment.time());
    }
    case TypeCode::D:
        return vb::Val(text);
    case TypeCode::I: {
        const double whole = std::nearbyint(vb::Val(text));
        return std::abs(whole) < 9.0e18 ? QVariant(qlonglong(whole)) : QVariant(whole);
    }
    default:
        return QVariant();
    }
}

} // namespace quill
