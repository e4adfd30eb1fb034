#include "PasswordInput.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace quill {

namespace {

std::string lineFromStdin() {
    std::string line;
    for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar())
        line.push_back(char(c));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

} // namespace

QString PasswordInput::readLine(const QString& prompt, bool hidden) {
    if (!isatty(STDIN_FILENO))
        return QString::fromLocal8Bit(lineFromStdin());
    std::fprintf(stderr, "%s", qPrintable(prompt));
    std::fflush(stderr);
    termios saved{};
    const bool quiet = hidden && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (quiet) {
        termios silent = saved;
        silent.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    const std::string line = lineFromStdin();
    if (quiet) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        // The Enter that ended the line was not shown either.
        std::fprintf(stderr, "\n");
    }
    return QString::fromLocal8Bit(line);
}

} // namespace quill
