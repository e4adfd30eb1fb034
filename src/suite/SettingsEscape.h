#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace quill {

// How a section name, key or value stands in a line of a settings file.
//
// Every character stands as itself, except where it could not: a line feed,
// a carriage return and a byte-order mark, blanks and tabs at either end, an
// "=" in a key, a ";", "#" or "[" at a key's start. Those are written as
// "&#N;" with N the character's decimal number ("&#10;" is a line feed), and
// so is an "&" that would otherwise start such a reference. Ordinary text,
// paths with backslashes included, never meets this form.
//
// Files of the earlier format used backslash escapes (\\ \n \r, \s and \t for
// blanks at either end, \= \; \# \[ in keys); a text that is exactly what that
// writer produced still reads as it was meant.
class SettingsEscape {
public:
    enum class Part { Section, Key, Value };

    static QString encode(QStringView text, Part part);
    static QString decode(QStringView text);
    // The text of the earlier format, or nullopt when `text` is not something
    // its writer could have written (then it is read as it stands).
    static std::optional<QString> decodeEarlier(QStringView text, Part part);
};

} // namespace quill
