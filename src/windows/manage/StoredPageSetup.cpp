#include "windows/manage/StoredPageSetup.h"

#include "platform/office/PageSetup.h"
#include "platform/vb/Format.h"
#include "suite/SuiteLib.h"

#include <stdexcept>

namespace quill {

namespace {

const QString Section = QStringLiteral("PRINT");

} // namespace

QString StoredPageSetup::value(const QString& reportName, const QString& property) {
    SuiteLib& lib = SuiteLib::instance();
    return lib.ReadSetting(Section, reportName + u'.' + property, lib.settingsPath());
}

void StoredPageSetup::write(const QString& reportName, const QString& property,
                            const QString& value) {
    SuiteLib& lib = SuiteLib::instance();
    lib.WriteSetting(Section, reportName + u'.' + property, value, lib.settingsPath());
}

QString StoredPageSetup::printDate(QDate today) {
    return QStringLiteral("     打印日期: ") +
           vb::Format(QVariant(today), QStringLiteral("yy-mm-dd"));
}

QString StoredPageSetup::preparerFooter(QDate today) {
    const SuiteLib& lib = SuiteLib::instance();
    return lib.OperatorName + QStringLiteral("     制表人: ") + lib.UserName +
           QStringLiteral("     审核人: ") + QStringLiteral("________") + printDate(today);
}

bool StoredPageSetup::hasCenterFooter(const QString& reportName) {
    return !value(reportName, QStringLiteral("CenterFooter")).isEmpty();
}

void StoredPageSetup::apply(PageSetup& setup, const QString& reportName, QDate today) {
    for (const QString& property : PageSetup::storedProperties()) {
        const QString stored = value(reportName, property);
        try {
            if (PageSetup::isBoolean(property))
                setup.set(property, stored == QLatin1String("True") ? QStringLiteral("True")
                                                                    : QStringLiteral("False"));
            else if (property == QLatin1String("CenterFooter"))
                setup.CenterFooter = stored.isEmpty()
                                         ? preparerFooter(today)
                                         : SuiteLib::instance().OperatorName +
                                               QStringLiteral("     ") + stored + printDate(today);
            else if (!stored.isEmpty())
                setup.set(property, stored);
        } catch (const std::invalid_argument&) {
            // A value the property does not take is passed over, as a
            // spreadsheet application refusing it would leave it.
        }
    }
}

} // namespace quill
