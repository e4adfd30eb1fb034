#include "foundation/DisplayFormat.h"

#include "platform/vb/AsciiDigit.h"
#include "platform/vb/CompiledFormat.h"

#include <algorithm>

namespace quill {

namespace {

// Digits only, not all zeros ("10", "8"): a width. "0", "00" and "0.00" are
// number formats.
bool isWidth(const QString& text) {
    return std::all_of(text.begin(), text.end(), vb::isAsciiDigit) &&
           std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'1' && c <= u'9'; });
}

} // namespace

QString defaultDisplayFormat(TypeCode code, FormatUse use) {
    switch (code) {
    case TypeCode::T:
        return QStringLiteral("yyyy-mm-dd");
    case TypeCode::Y:
        return QStringLiteral("hh:nn:ss");
    case TypeCode::D:
        return use == FormatUse::TextExport ? QStringLiteral("##0.00") : QStringLiteral("#0.00");
    default:
        return {};
    }
}

QString displayFormat(TypeCode code, const QString& widthText, FormatUse use) {
    const QString text = widthText.trimmed();
    if (text.isEmpty())
        return defaultDisplayFormat(code, use);
    switch (code) {
    case TypeCode::D:
        return isWidth(text) ? defaultDisplayFormat(code, use) : text;
    case TypeCode::T:
    case TypeCode::Y:
        return vb::CompiledFormat::of(text)->kind() == vb::CompiledFormat::Kind::Date
                   ? text
                   : defaultDisplayFormat(code, use);
    default:
        return {};
    }
}

} // namespace quill
