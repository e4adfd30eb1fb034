#pragma once

#include <cstdint>

namespace quill {

// What a field's values are read as: SQLite stores every value in a few
// storage classes, so its columns' declared types decide dates and flags.
enum class FieldKind : std::uint8_t {
    Any, // no declared type: values keep their storage class
    Text,
    Integer,
    BigInteger,
    Double,
    Decimal, // exact: a double where one holds the value exactly, else its decimal text
    Boolean,
    Date,
    Time,
    DateTime,
    Blob
};

} // namespace quill
