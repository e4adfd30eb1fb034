#pragma once

#include "platform/vb/FormatCodes.h"

#include <QDateTime>
#include <QString>

#include <memory>

namespace quill {

namespace vb {
class CompiledFormat;
}

// A workbook cell's number format: its code read in workbook codes by the
// one format engine of vb (Format), so a cell shows what a spreadsheet
// application shows, in the workbook's date system.
class WorkbookNumberFormat {
public:
    // General: the plain number.
    WorkbookNumberFormat();
    // A format by its built-in number (0 general, 1 "0", 2 "0.00", 14 date, ...).
    static WorkbookNumberFormat builtIn(int id, vb::FormatCodes codes = vb::FormatCodes::Workbook);
    // A format by its code text.
    static WorkbookNumberFormat fromCode(const QString& code,
                                         vb::FormatCodes codes = vb::FormatCodes::Workbook);
    // The code of a built-in format number; "General" for an unknown one.
    static QString builtInCode(int id);
    // The format code a writer gives a plain decimal number of that many decimals.
    static QString fixedCode(int decimals);

    QString format(double value) const;
    // A date cell: through a date format, else as plain date text.
    QString format(const QDateTime& moment) const;

private:
    explicit WorkbookNumberFormat(std::shared_ptr<const vb::CompiledFormat> format);

    std::shared_ptr<const vb::CompiledFormat> m_format;
};

} // namespace quill
