#pragma once

#include <QString>

#include <stdexcept>

namespace quill {

// A settings file that could not be written. what() is the message in UTF-8;
// message() the same text for the windows to show.
class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(const QString& message);

    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace quill
