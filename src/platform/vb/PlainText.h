#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace quill::vb {

// A number as plain text: up to 15 significant digits, no trailing zeros,
// exponent form ("1.5E+20", "1E-06") only for very large or small values.
QString NumberText(double value);

// A date/time as plain text: "yyyy-mm-dd hh:nn:ss"; the date alone at
// midnight, the time alone on the zero date 1899-12-30.
QString DateTimeText(const QDateTime& value);

// A time as "hh:nn:ss".
QString TimeText(const QTime& value);

// The plain text of any value: empty for null, "True"/"False" for Booleans.
QString PlainText(const QVariant& value);

} // namespace quill::vb
