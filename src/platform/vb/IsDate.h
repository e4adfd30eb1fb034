#pragma once

#include <QString>
#include <QVariant>

namespace quill::vb {

// Whether a text is a date, a time or both, by the module's one date parser.
bool IsDate(QStringView text);
inline bool IsDate(const QString& text) {
    return IsDate(QStringView(text));
}
inline bool IsDate(const char* text) {
    return IsDate(QString::fromUtf8(text));
}
// Valid dates, date/times and times are dates; texts as above; numbers are not.
bool IsDate(const QVariant& value);

} // namespace quill::vb
