#pragma once

// The four exports of a module library, with C linkage, found by name when
// the library is loaded for a ProgID listed in the suite's registry file. A
// module library defines them as declared here.

#include <QtGlobal>

namespace quill {
class ComObject;

// Results of the exports.
enum ComResult : int {
    ComOk = 0,
    ComFalse = 1, // DllCanUnloadNow: objects are still alive
    ComFailed = -1,
    ComClassNotAvailable = -2, // DllGetClassObject: the library does not serve the ProgID
};
} // namespace quill

extern "C" {

// Creates a new object; the caller owns it and deletes it through ComObject.
typedef quill::ComObject* (*QuillCreateObjectFn)();

// Writes "ProgID=libraryPath" into the registry file for every class the
// library serves (libraryPath is the library's own file). ComOk or ComFailed.
Q_DECL_EXPORT int DllRegisterServer(const char* registryFile, const char* libraryPath);
// Removes the library's ProgIDs from the registry file. ComOk or ComFailed.
Q_DECL_EXPORT int DllUnregisterServer(const char* registryFile, const char* libraryPath);
// Hands out the creation function for progId (compared case-insensitively):
// ComOk with *create set, or ComClassNotAvailable.
Q_DECL_EXPORT int DllGetClassObject(const char* progId, QuillCreateObjectFn* create);
// ComOk when no object of the library is alive, else ComFalse.
Q_DECL_EXPORT int DllCanUnloadNow();

typedef int (*DllRegisterServerFn)(const char*, const char*);
typedef int (*DllUnregisterServerFn)(const char*, const char*);
typedef int (*DllGetClassObjectFn)(const char*, QuillCreateObjectFn*);
typedef int (*DllCanUnloadNowFn)();
}
