#pragma once

#include "foundation/TypeCode.h"

#include <QString>

namespace quill {

// One field of the entry window's query, as its grid row shows it: the
// field name, its caption from the dictionary, the type and width texts of
// that caption, and its organisation level (3 department, 2 team, 1 group).
struct EntryField {
    QString name;
    QString caption;
    QString type;
    QString width;
    TypeCode code = TypeCode::Unknown;
    long orgLevel = 0;
};

// Whether a caption is one of a list of captions kept as one text (the
// suite's read-only column lists). A field without a caption is in none.
inline bool listedIn(const QString& list, const QString& caption) {
    return !caption.isEmpty() && list.contains(caption);
}

} // namespace quill
