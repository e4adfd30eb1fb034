#pragma once

#include <QString>
#include <optional>

namespace quill {

// How a refused value is reported: the in-grid save puts the cell text in
// front of the message for S, D and I fields; the entry window shows the
// message alone.
enum class CheckStyle { GridSave, EntryWindow };

// The check a value passes before it is stored, by the field's type text and
// dictionary width text. Returns the message when the value is refused:
//   S  more bytes (code page GBK) than the width     "长度过长"
//   T  not a date once formatted "yyyy-mm-dd"        "日期格式不对"
//   Y  not a time once formatted "hh:nn:ss"          "时间格式不对"
//   D  leading numeric value above 1.2E307           "值过大"
//   I  leading numeric value above 2147483647        "值过大"
// An empty cell passes every check, and so does a blank T or Y cell (it is
// stored as no date). An S field without a width (empty, 0 or not a number)
// has no length limit. Other codes are not checked.
std::optional<QString> checkValue(const QString& typeText, const QString& widthText,
                                  const QString& cellText, CheckStyle style);

} // namespace quill
