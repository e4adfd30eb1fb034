#pragma once

#include "platform/vb/FormatCodes.h"

#include <QString>
#include <QVariant>

namespace quill::vb {

// A value shown through a format text (see CompiledFormat for the codes):
//   numbers                      formatted as numbers, or as dates by their
//                                serial number under a date format;
//   QDate, QDateTime, QTime      formatted as dates, or as serial numbers
//                                under a number format;
//   texts                        a text that is a number is formatted as that
//                                number, one that is a date as that date; any
//                                other text comes back as it is;
//   null                         the empty text.
// An empty format gives the value's plain text. Formats are parsed once and
// kept, as this runs for every cell of a sheet.
QString Format(const QVariant& value, const QString& format);
QString Format(double value, const QString& format);
// A number through a format text written in the given codes.
QString Format(double value, const QString& format, FormatCodes codes);

} // namespace quill::vb
