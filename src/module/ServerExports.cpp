#include "platform/com/ServerExports.h"

#include "module/clszh.h"
#include "suite/ModuleRegistry.h"
#include "suite/SettingsError.h"

#include <QString>

using quill::clszh;

namespace {

quill::ComObject* createClszh() {
    return new clszh();
}

} // namespace

extern "C" {

int DllRegisterServer(const char* registryFile, const char* libraryPath) {
    if (!registryFile || !libraryPath)
        return quill::ComFailed;
    try {
        quill::ModuleRegistry::registerServer(QString::fromUtf8(registryFile), clszh::progId(),
                                              QString::fromUtf8(libraryPath));
    } catch (const quill::SettingsError&) {
        return quill::ComFailed;
    }
    return quill::ComOk;
}

int DllUnregisterServer(const char* registryFile, const char*) {
    if (!registryFile)
        return quill::ComFailed;
    try {
        quill::ModuleRegistry::unregisterServer(QString::fromUtf8(registryFile), clszh::progId());
    } catch (const quill::SettingsError&) {
        return quill::ComFailed;
    }
    return quill::ComOk;
}

int DllGetClassObject(const char* progId, QuillCreateObjectFn* create) {
    if (!progId || !create ||
        QString::fromUtf8(progId).trimmed().compare(clszh::progId(), Qt::CaseInsensitive) != 0)
        return quill::ComClassNotAvailable;
    *create = &createClszh;
    return quill::ComOk;
}

int DllCanUnloadNow() {
    return clszh::liveCount() == 0 ? quill::ComOk : quill::ComFalse;
}
}
