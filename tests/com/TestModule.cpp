#include "platform/com/ComObject.h"
#include "platform/com/ServerExports.h"
#include "suite/ModuleRegistry.h"

#include <QString>

#include <atomic>

namespace {

const QString ProgId = "QUILLTEST.clszh";
std::atomic<int> alive{0};

class TestObject : public quill::ComObject {
public:
    TestObject() { ++alive; }
    ~TestObject() override { --alive; }
    int zh() override { return 7; }
};

quill::ComObject* createTestObject() {
    return new TestObject;
}

} // namespace

int DllRegisterServer(const char* registryFile, const char* libraryPath) {
    try {
        quill::ModuleRegistry::registerServer(QString::fromUtf8(registryFile), ProgId,
                                              QString::fromUtf8(libraryPath));
        return quill::ComOk;
    } catch (...) {
        return quill::ComFailed;
    }
}

int DllUnregisterServer(const char* registryFile, const char*) {
    try {
        quill::ModuleRegistry::unregisterServer(QString::fromUtf8(registryFile), ProgId);
        return quill::ComOk;
    } catch (...) {
        return quill::ComFailed;
    }
}

int DllGetClassObject(const char* progId, QuillCreateObjectFn* create) {
    if (QString::fromUtf8(progId).compare(ProgId, Qt::CaseInsensitive) != 0)
        return quill::ComClassNotAvailable;
    *create = createTestObject;
    return quill::ComOk;
}

int DllCanUnloadNow() {
    return alive == 0 ? quill::ComOk : quill::ComFalse;
}
