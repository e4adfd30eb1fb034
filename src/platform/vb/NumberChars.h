#pragma once

#include <QVarLengthArray>

namespace quill::vb {

// The ASCII characters of one number as read from a text ("-12.5e3"), turned
// into a double independently of the process locale.
class NumberChars {
public:
    void append(char c) { m_chars.append(c); }
    // Out of range: infinity with the number's sign for a huge value, 0 for a
    // tiny one.
    double toDouble() const;

private:
    QVarLengthArray<char, 64> m_chars;
};

} // namespace quill::vb
