#pragma once

#include <QString>

#include <ostream>

// Texts in failure messages as they read.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
