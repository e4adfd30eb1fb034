#pragma once

#include "foundation/TypeCode.h"

#include <QString>

namespace quill {

// Where a value is shown: on screen and in workbooks, or in the fixed-width
// text export (which shows decimals with "##0.00").
enum class FormatUse { Display, TextExport };

// T "yyyy-mm-dd", Y "hh:nn:ss", D "#0.00" ("##0.00" in text export); other
// codes show the value as stored (empty format).
QString defaultDisplayFormat(TypeCode code, FormatUse use = FormatUse::Display);

// The format a field is shown with: for D, T and Y the dictionary's width
// text (trimmed) when it is a format of that kind, else the default. A whole
// number on a D field ("10", but not "0" or "0.00") or a text without date
// codes on a T or Y field is a width, not a format, and gives the default.
QString displayFormat(TypeCode code, const QString& widthText, FormatUse use = FormatUse::Display);

} // namespace quill
