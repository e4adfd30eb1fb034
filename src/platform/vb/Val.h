#pragma once

#include <QString>
#include <QStringView>

namespace quill::vb {

// The leading numeric value of a text: leading blanks are skipped, then an
// optional sign, digits with an optional decimal point and an optional
// exponent are read up to the first character that cannot continue the
// number. A text without a number gives 0 ("12abc" gives 12, "-" gives 0).
// Too large a number gives infinity, so that bound checks refuse it.
double Val(QStringView text);
inline double Val(const QString& text) {
    return Val(QStringView(text));
}

} // namespace quill::vb
