#include "foundation/TypeCode.h"

namespace quill {

TypeCode typeCodeOf(const QString& typeText) {
    if (typeText.isEmpty())
        return TypeCode::Unknown;
    switch (typeText.front().toUpper().unicode()) {
    case u'S':
        return TypeCode::S;
    case u'T':
        return TypeCode::T;
    case u'Y':
        return TypeCode::Y;
    case u'D':
        return TypeCode::D;
    case u'I':
        return TypeCode::I;
    case u'B':
        return TypeCode::B;
    case u'M':
        return TypeCode::M;
    case u'O':
        return TypeCode::O;
    default:
        return TypeCode::Unknown;
    }
}

} // namespace quill
