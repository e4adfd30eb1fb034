#pragma once

#include <QString>

#include <stdexcept>

namespace quill {

// A demo workspace that cannot be made: the message says why, in Chinese,
// for the person at the command line.
class DemoError : public std::runtime_error {
public:
    explicit DemoError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message) {}

    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace quill
