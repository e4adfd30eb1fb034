#include "foundation/ValueCheck.h"

#include "foundation/TypeCode.h"
#include "platform/vb/ByteLength.h"
#include "platform/vb/Format.h"
#include "platform/vb/IsDate.h"
#include "platform/vb/Val.h"

namespace quill {

namespace {

constexpr double MaxDecimal = 1.2E307;
constexpr double MaxWhole = 2147483647.0;

bool formatsAsDate(const QString& text, const QString& format) {
    return vb::IsDate(vb::Format(QVariant(text), format));
}

} // namespace

std::optional<QString> checkValue(const QString& typeText, const QString& widthText,
                                  const QString& cellText, CheckStyle style) {
    if (cellText.isEmpty())
        return std::nullopt;
    const TypeCode code = typeCodeOf(typeText);
    QString message;
    switch (code) {
    case TypeCode::S: {
        const double width = vb::Val(widthText);
        if (width > 0 && vb::GbkByteLength(cellText) > width)
            message = QStringLiteral("长度过长");
        break;
    }
    case TypeCode::T:
        if (!cellText.trimmed().isEmpty() && !formatsAsDate(cellText, QStringLiteral("yyyy-mm-dd")))
            message = QStringLiteral("日期格式不对");
        break;
    case TypeCode::Y:
        if (!cellText.trimmed().isEmpty() && !formatsAsDate(cellText, QStringLiteral("hh:nn:ss")))
            message = QStringLiteral("时间格式不对");
        break;
    case TypeCode::D:
        if (vb::Val(cellText) > MaxDecimal)
            message = QStringLiteral("值过大");
        break;
    case TypeCode::I:
        if (vb::Val(cellText) > MaxWhole)
            message = QStringLiteral("值过大");
        break;
    default:
        break;
    }
    if (message.isEmpty())
        return std::nullopt;
    const bool withText = style == CheckStyle::GridSave &&
                          (code == TypeCode::S || code == TypeCode::D || code == TypeCode::I);
    return withText ? cellText + message : message;
}

} // namespace quill
