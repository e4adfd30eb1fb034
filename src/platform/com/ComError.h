#pragma once

#include <QString>

#include <stdexcept>

namespace quill {

// An object that could not be created: unknown ProgID, a module library that
// is missing or broken. what() is the message in UTF-8; message() the same
// text for the windows to show.
class ComError : public std::runtime_error {
public:
    explicit ComError(const QString& message);

    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace quill
