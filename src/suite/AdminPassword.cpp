#include "suite/AdminPassword.h"

#include "suite/SuiteLib.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

namespace quill {

const QString AdminPassword::Section = QStringLiteral("QUILL");
const QString AdminPassword::Key = QStringLiteral("ADMIN");

namespace {

const QString Scheme = QStringLiteral("PBKDF2-SHA256");
constexpr int SaltBytes = 16;
constexpr int KeyBytes = 32;
// A value asking for more is not one this system wrote; refusing it keeps a
// tampered file from stalling the window.
constexpr int MaxIterations = 10'000'000;

QByteArray derive(const QString& password, const QByteArray& salt, int iterations) {
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              iterations, KeyBytes);
}

// Equal sizes are compared byte for byte to the end, so the time taken does
// not tell where the first difference lies.
bool sameBytes(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size())
        return false;
    volatile unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff = diff | static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

QByteArray sha256(const QString& text) {
    return QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256);
}

QString stored() {
    SuiteLib& lib = SuiteLib::instance();
    return lib.ReadSetting(AdminPassword::Section, AdminPassword::Key, lib.settingsPath());
}

} // namespace

QString AdminPassword::hashed(const QString& password, int iterations) {
    QByteArray salt(SaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    return QStringList{Scheme, QString::number(iterations), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(derive(password, salt, iterations).toBase64())}
        .join(QLatin1Char('$'));
}

bool AdminPassword::isHashed(const QString& stored) {
    return stored.startsWith(Scheme + QLatin1Char('$'));
}

bool AdminPassword::matches(const QString& entered, const QString& stored) {
    if (!isHashed(stored)) {
        // Digests of equal length, so neither length nor content shows.
        return sameBytes(sha256(entered), sha256(stored));
    }
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    const int iterations = parts[1].toInt(&ok);
    if (!ok || iterations < 1 || iterations > MaxIterations)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts[2].toLatin1());
    const QByteArray key = QByteArray::fromBase64(parts[3].toLatin1());
    if (salt.isEmpty() || key.size() != KeyBytes)
        return false;
    return sameBytes(derive(entered, salt, iterations), key);
}

bool AdminPassword::isSet() {
    return !stored().isEmpty();
}

AdminPassword::Check AdminPassword::check(const QString& entered) {
    const QString value = stored();
    if (value.isEmpty())
        return Check::NotSet;
    if (!matches(entered, value))
        return Check::Wrong;
    if (!isHashed(value))
        set(entered);
    return Check::Right;
}

void AdminPassword::set(const QString& password) {
    SuiteLib& lib = SuiteLib::instance();
    lib.WriteSetting(Section, Key, hashed(password), lib.settingsPath());
}

} // namespace quill
