#pragma once

#include "platform/vb/AsciiDigit.h"

#include <QVarLengthArray>

namespace quill::vb {

// The ASCII characters of one number as read from a text ("-12.5e3"), turned
// into a double independently of the process locale.
class NumberChars {
public:
    void append(char c) { m_chars.append(c); }
    // Readers of the parts of a number at p, each moving p past what it read.
    // A leading '+' or '-' (only '-' is kept).
    void readSign(const QChar*& p, const QChar* end);
    // Digits; whether there was any.
    bool readDigits(const QChar*& p, const QChar* end);
    // A decimal point and the digits after it; whether there was any digit.
    bool readFraction(const QChar*& p, const QChar* end);
    // Out of range: infinity with the number's sign for a huge value (but the
    // largest double for the text it is written as), 0 for a tiny one.
    double toDouble() const;

private:
    QVarLengthArray<char, 64> m_chars;
};

} // namespace quill::vb
