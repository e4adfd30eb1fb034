#include "WorkbookNumberFormat.h"

#include "platform/vb/CompiledFormat.h"
#include "platform/vb/PlainText.h"

namespace quill {

WorkbookNumberFormat::WorkbookNumberFormat()
    : WorkbookNumberFormat(fromCode(QStringLiteral("General"))) {}

WorkbookNumberFormat::WorkbookNumberFormat(std::shared_ptr<const vb::CompiledFormat> format)
    : m_format(std::move(format)) {}

QString WorkbookNumberFormat::builtInCode(int id) {
    // The built-in formats as a spreadsheet application in a Chinese locale
    // shows them; this system's short date is "yyyy-mm-dd".
    switch (id) {
    case 1:
        return QStringLiteral("0");
    case 2:
        return QStringLiteral("0.00");
    case 3:
        return QStringLiteral("#,##0");
    case 4:
        return QStringLiteral("#,##0.00");
    case 5:
    case 6:
        return QStringLiteral("¥#,##0;¥-#,##0");
    case 7:
    case 8:
        return QStringLiteral("¥#,##0.00;¥-#,##0.00");
    case 9:
        return QStringLiteral("0%");
    case 10:
        return QStringLiteral("0.00%");
    case 11:
        return QStringLiteral("0.00E+00");
    case 12:
        return QStringLiteral("# ?/?");
    case 13:
        return QStringLiteral("# ?\?/??");
    case 14:
        return QStringLiteral("yyyy-mm-dd");
    case 15:
        return QStringLiteral("d-mmm-yy");
    case 16:
        return QStringLiteral("d-mmm");
    case 17:
        return QStringLiteral("mmm-yy");
    case 18:
        return QStringLiteral("h:mm AM/PM");
    case 19:
        return QStringLiteral("h:mm:ss AM/PM");
    case 20:
        return QStringLiteral("h:mm");
    case 21:
        return QStringLiteral("h:mm:ss");
    case 22:
        return QStringLiteral("yyyy-mm-dd h:mm");
    case 27:
    case 36:
    case 50:
    case 52:
    case 57:
        return QStringLiteral("yyyy\"年\"m\"月\"");
    case 28:
    case 29:
    case 51:
    case 53:
    case 54:
    case 58:
        return QStringLiteral("m\"月\"d\"日\"");
    case 30:
        return QStringLiteral("m-d-yy");
    case 31:
        return QStringLiteral("yyyy\"年\"m\"月\"d\"日\"");
    case 32:
        return QStringLiteral("h\"时\"mm\"分\"");
    case 33:
        return QStringLiteral("h\"时\"mm\"分\"ss\"秒\"");
    case 34:
    case 55:
        return QStringLiteral("上午/下午h\"时\"mm\"分\"");
    case 35:
    case 56:
        return QStringLiteral("上午/下午h\"时\"mm\"分\"ss\"秒\"");
    case 37:
    case 38:
        return QStringLiteral("#,##0 ;(#,##0)");
    case 39:
    case 40:
        return QStringLiteral("#,##0.00;(#,##0.00)");
    case 45:
        return QStringLiteral("mm:ss");
    case 46:
        return QStringLiteral("[h]:mm:ss");
    case 47:
        return QStringLiteral("mm:ss.0");
    case 48:
        return QStringLiteral("##0.0E+0");
    case 49:
        return QStringLiteral("@");
    default:
        return QStringLiteral("General");
    }
}

WorkbookNumberFormat WorkbookNumberFormat::builtIn(int id, vb::FormatCodes codes) {
    return fromCode(builtInCode(id), codes);
}

WorkbookNumberFormat WorkbookNumberFormat::fromCode(const QString& code, vb::FormatCodes codes) {
    return WorkbookNumberFormat(std::make_shared<const vb::CompiledFormat>(code, codes));
}

QString WorkbookNumberFormat::fixedCode(int decimals) {
    return decimals == 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(decimals, u'0');
}

QString WorkbookNumberFormat::format(double value) const {
    return m_format->formatNumber(value);
}

QString WorkbookNumberFormat::format(const QDateTime& moment) const {
    if (m_format->kind() == vb::CompiledFormat::Kind::Date)
        return m_format->formatDateTime(moment);
    return vb::DateTimeText(moment);
}

} // namespace quill
