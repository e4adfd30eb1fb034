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

    // The module library that came with this host: where an installation puts
    // it beside the host, else where the build folder has it. Both are taken
    // relative to the host program, so an installed host never reaches into
    // the folder it was built in.
    static QString builtLibrary();

    // Returns "" on success, otherwise a message for the user.
    static QString registerModule(const QString& libraryPath, const QString& registryFile);
};

} // namespace quill
