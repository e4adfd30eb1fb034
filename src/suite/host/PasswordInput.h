#pragma once

#include <QString>

namespace quill {

// One line read from standard input. On a terminal the prompt goes to
// standard error first and, when `hidden`, what is typed is not shown; from a
// pipe or a file the line is read as it comes, without a prompt. The line
// ends are not part of the text; at the end of the input the text is empty.
class PasswordInput {
public:
    static QString readLine(const QString& prompt, bool hidden);
};

} // namespace quill
