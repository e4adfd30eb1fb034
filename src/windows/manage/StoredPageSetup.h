#pragma once

#include <QDate>
#include <QString>

namespace quill {

struct PageSetup;

// The page setup a report keeps in the settings file: section "PRINT", one
// key per property, named report name + "." + property.
class StoredPageSetup {
public:
    // Applies the stored properties in their order. An empty value leaves a
    // property as it is, except the on/off properties, which are on only for
    // "True". A stored centre footer t prints as the operator's name, t and
    // the print date; without one the footer names preparer and auditor.
    // A value the property does not take is passed over.
    static void apply(PageSetup& setup, const QString& reportName, QDate today);

    // Stores what the preview's page setup edits: paper, orientation,
    // margins, grid lines, centring, zoom or fit to pages, and the report's
    // own footer text. Raises SettingsError when the file cannot be written.
    static void store(const QString& reportName, const PageSetup& setup, const QString& footer);
    // The centre footer a stored footer text gives (none: preparer's).
    static QString centerFooter(const QString& stored, QDate today);

    // Whether the report keeps a centre footer of its own.
    static bool hasCenterFooter(const QString& reportName);
    // The centre footer naming preparer and auditor, with the print date.
    static QString preparerFooter(QDate today);
    // The stored value of a property; "" when none.
    static QString value(const QString& reportName, const QString& property);
    // Stores a property; an empty value removes nothing, it is stored empty.
    static void write(const QString& reportName, const QString& property, const QString& value);

private:
    static QString printDate(QDate today);
};

} // namespace quill
