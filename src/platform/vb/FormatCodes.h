#pragma once

namespace quill::vb {

// Which codes a format text is written in. The dictionary's codes write the
// minute as "n", take "y" for the day of the year and know named formats
// ("Fixed", "Long Date"); an empty section shows through the first.
// Workbook codes add bracketed parts ("[$¥-804]" literal text, "[Red]"
// colours and "[$-804]" locales passed over, "[h]" elapsed time), "_x" (a
// blank as wide as x), "*x" (fill, shown as nothing), fractions ("# ?/?"),
// fractions of a second ("ss.00") and "上午/下午"; "y"/"yy" is the two-digit
// year and "yyy" the full one, an empty section shows nothing, and "General"
// or "@" alone is the plain number. Workbook serial numbers count days from
// 1900-01-01 as day 1 (day 60, the 1900-02-29 that workbooks count, shows as
// 1900-02-28) or, in the 1904 date system, from 1904-01-01 as day 0.
// Conditions ("[>100]") are passed over.
enum class FormatCodes { Module, Workbook, Workbook1904 };

inline bool isWorkbook(FormatCodes codes) {
    return codes != FormatCodes::Module;
}

} // namespace quill::vb
