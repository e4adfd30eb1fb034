#pragma once

#include "foundation/Dialect.h"

#include <QString>
#include <QVariant>

namespace quill {

// The where condition that finds the records whose field holds a value, in
// the dialect's literals: texts through the one literal builder, dates and
// times as the dialect writes them, numbers as numbers, yes/no as the
// dialect's boolean. A null value finds the nulls (and, for a text field,
// the empty texts). No value can end the literal or add SQL of its own.
class UniqueCondition {
public:
    static QString of(const QString& field, const QVariant& value, const Dialect& dialect);
};

} // namespace quill
