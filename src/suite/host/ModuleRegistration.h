#pragma once

#include <QString>

namespace quill {

// Makes QUILL.clszh creatable for the host: the module library is entered in
// the suite's registry file through its own DllRegisterServer, or, without a
// registry file, its class is registered in process.
class ModuleRegistration {
public:
    // The ProgID the module's class is created by.
    static constexpr const char* ProgId = "QUILL.clszh";

    // The module library built with this host.
    static QString builtLibrary();

    // Returns "" on success, otherwise a message for the user.
    static QString registerModule(const QString& libraryPath, const QString& registryFile);
};

} // namespace quill
