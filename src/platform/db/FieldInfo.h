#pragma once

#include "platform/db/FieldKind.h"

#include <QString>

namespace quill {

// One field of an open recordset.
struct FieldInfo {
    QString name;
    QString column; // the table column it shows; empty when computed (read-only)
    FieldKind kind = FieldKind::Any;
};

} // namespace quill
