#pragma once

#include <QString>

#include <stdexcept>

namespace quill {

// A failing database command or a refused write. what() is the message in
// UTF-8; message() the same text for the windows to show.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message);

    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace quill
