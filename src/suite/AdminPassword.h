#pragma once

#include <QString>

namespace quill {

// The suite administrator's password, kept in section "QUILL", key "ADMIN" of
// the settings file as "PBKDF2-SHA256$iterations$salt$key" (salt and key in
// Base64): a fresh random salt each time it is set and a slow derivation, so a
// copied settings file gives the password away neither at a glance nor
// cheaply. A value in any other form is an older plain password; it is still
// accepted and is replaced by the hashed form once it was entered right.
class AdminPassword {
public:
    static const QString Section; // "QUILL"
    static const QString Key;     // "ADMIN"
    static constexpr int Iterations = 120000;

    enum class Check { NotSet, Wrong, Right };

    // The stored form of `password` with a new salt.
    static QString hashed(const QString& password, int iterations = Iterations);
    static bool isHashed(const QString& stored);
    // Whether `entered` is the password `stored` holds, hashed or plain. The
    // comparison takes the same time wherever the two first differ.
    static bool matches(const QString& entered, const QString& stored);

    // Through SuiteLib's settings file. isSet(): a value is stored. check() rewrites a plain value
    // hashed after a right entry; set() stores the hashed form. Both raise SettingsError when the
    // file cannot be written.
    static bool isSet();
    static Check check(const QString& entered);
    static void set(const QString& password);
};

} // namespace quill
