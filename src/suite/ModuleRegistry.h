#pragma once

#include <QString>

namespace quill {

// The suite's module registry file: a settings file whose section "ProgID"
// holds lines "QUILL.clszh=path/to/library.so". A relative library path is
// taken from the registry file's folder.
class ModuleRegistry {
public:
    static QString section() { return QStringLiteral("ProgID"); }

    // Makes CreateObject look ProgIDs without an in-process factory up in this
    // file; "" looks nothing up.
    static void setRegistryFile(const QString& path);
    static QString registryFile();

    // The library registered for progId as an absolute path, or "".
    static QString libraryOf(const QString& registryFile, const QString& progId);
    // For the module libraries' DllRegisterServer / DllUnregisterServer;
    // throw SettingsError when the file cannot be written.
    static void registerServer(const QString& registryFile, const QString& progId,
                               const QString& libraryPath);
    static void unregisterServer(const QString& registryFile, const QString& progId);
};

} // namespace quill
