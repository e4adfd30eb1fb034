#pragma once

#include <QString>
#include <QStringView>

namespace quill {

// Texts in workbook XML carry characters that XML cannot hold (control
// characters, a carriage return that XML would turn into a line feed) as
// "_xHHHH_", and a text that itself looks like such an escape has its "_"
// written as "_x005F_".
namespace WorkbookTextEscape {

// The text as a workbook holds it.
QString escape(QStringView text);
// The text a workbook's escaped text stands for.
QString decode(QStringView text);

} // namespace WorkbookTextEscape

} // namespace quill
