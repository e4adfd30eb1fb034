#pragma once

#include <QString>

namespace quill {

// The value type of a field, from the first character of its type text in the
// column dictionary.
enum class TypeCode : char {
    Unknown = 0,
    S = 'S', // text
    T = 'T', // date
    Y = 'Y', // time
    D = 'D', // decimal number
    I = 'I', // whole number
    B = 'B', // yes/no
    M = 'M', // never a designer item
    O = 'O', // never a designer item
};

// First character of the type text, upper or lower case; anything else
// (including an empty text) is Unknown.
TypeCode typeCodeOf(const QString& typeText);

} // namespace quill
