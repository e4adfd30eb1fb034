#pragma once

#include "platform/vb/DateFormat.h"
#include "platform/vb/FormatCodes.h"
#include "platform/vb/NumberFormat.h"

#include <QDateTime>
#include <QString>
#include <memory>

namespace quill::vb {

// A format text parsed once. Its codes decide how a value is shown: digit
// placeholders make a number format (a date is shown as its serial number),
// date codes a date format (a number is taken as a date serial number); an
// empty format shows the plain text. Named formats ("Fixed", "Standard",
// "Percent", "Scientific", "General Number", "General Date", "Long Date",
// "Short Date", "Long Time", "Medium Time", "Short Time") are understood.
// In workbook codes (see FormatCodes) any date code makes a date format, even
// beside digits ("[h]:mm:ss.00"), and numbers are workbook serial numbers.
class CompiledFormat {
public:
    enum class Kind { Plain, Number, Date };

    // Compiled formats are kept per thread, so each text is parsed once.
    static std::shared_ptr<const CompiledFormat> of(const QString& format,
                                                    FormatCodes codes = FormatCodes::Module);

    explicit CompiledFormat(const QString& format, FormatCodes codes = FormatCodes::Module);

    Kind kind() const { return m_kind; }
    QString formatNumber(double value) const;
    // An invalid date/time gives the empty text.
    QString formatDateTime(const QDateTime& value) const;

private:
    // The date of a serial number in these codes, with the fractions of a
    // second the format shows.
    QDateTime moment(double serial) const;

    FormatCodes m_codes = FormatCodes::Module;
    Kind m_kind = Kind::Plain;
    NumberFormat m_number;
    DateFormat m_date;
};

} // namespace quill::vb
