#pragma once

#include <QDateTime>
#include <QStringView>
#include <optional>

namespace quill::vb {

// The date parser every date rule of the module uses. Accepted (blanks around
// the whole allowed):
//   yyyy-m-d, yyyy/m/d, yyyy.m.d   (one or two digits for month and day)
//   yy-m-d and the like            (years 00-29 are 2000-2029, 30-99 1930-1999)
//   m/d/yyyy, m-d-yyyy, m.d.yyyy
//   yyyy年m月d日
// each optionally followed by blanks or "T" and a time, and a time alone:
//   h:mm, h:mm:ss, h:mm:ss.fff     (an optional trailing "Z")
// Invalid days (2026-02-30), months (13) and times (24:00, 12:60) are refused.
// A time alone lies on the zero date 1899-12-30; a date alone at midnight.
std::optional<QDateTime> ParseDate(QStringView text);

} // namespace quill::vb
