#pragma once

#include <QString>

#include <stdexcept>

namespace quill {

// A refused grid operation or an unreadable or unwritable workbook file.
// what() is the message in UTF-8; message() the same text for the windows.
class GridError : public std::runtime_error {
public:
    explicit GridError(const QString& message);

    QString message() const { return m_message; }

    // A file that could not be written, named with the reason.
    static GridError unwritable(const QString& path, const QString& reason);

private:
    QString m_message;
};

} // namespace quill
