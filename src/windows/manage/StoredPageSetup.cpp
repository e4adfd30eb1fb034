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

QString StoredPageSetup::centerFooter(const QString& stored, QDate today) {
    if (stored.isEmpty())
        return preparerFooter(today);
    return SuiteLib::instance().OperatorName + QStringLiteral("     ") + stored + printDate(today);
}

void StoredPageSetup::store(const QString& reportName, const PageSetup& setup,
                            const QString& footer) {
    auto flag = [](bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); };
    auto length = [](double points) { return QString::number(points, 'f', 2); };
    const std::pair<const char*, QString> values[] = {
        {"PaperSize", QString::number(setup.PaperSize)},
        {"Orientation", QString::number(setup.Orientation)},
        {"TopMargin", length(setup.TopMargin)},
        {"BottomMargin", length(setup.BottomMargin)},
        {"LeftMargin", length(setup.LeftMargin)},
        {"RightMargin", length(setup.RightMargin)},
        {"PrintGridLines", flag(setup.PrintGridLines)},
        {"CenterHorizontally", flag(setup.CenterHorizontally)},
        {"CenterVertically", flag(setup.CenterVertically)},
        {"Zoom", setup.Zoom == 0 ? QStringLiteral("False") : QString::number(setup.Zoom)},
        {"FitToPagesWide", QString::number(setup.FitToPagesWide)},
        {"FitToPagesTall", QString::number(setup.FitToPagesTall)},
        {"CenterFooter", footer},
    };
    for (const auto& [property, value] : values)
        write(reportName, QString::fromLatin1(property), value);
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
