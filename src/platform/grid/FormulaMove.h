#pragma once

#include <QString>
#include <QStringView>

namespace quill {

// A formula's text as another cell takes it over: its relative cell
// references ("B2", "$B2", "B$2", "B:D", "3:$5") move by that many rows and
// columns, absolute parts stay, and a reference moved off the sheet becomes
// "#REF!". Texts in quotes, quoted sheet names and function names are left as
// they are.
QString movedFormula(QStringView formula, int rows, int cols);

} // namespace quill
