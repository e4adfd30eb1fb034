#include "suite/ModuleRegistry.h"

#include "platform/com/ComRegistry.h"
#include "suite/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace quill {

namespace {

QString& currentFile() {
    static QString path;
    return path;
}

// The library registered in file for progId, as an absolute path, or "".
QString libraryIn(SettingsFile& file, const QString& progId) {
    const QString library = file.value(ModuleRegistry::section(), progId);
    if (library.isEmpty())
        return QString();
    return QDir::cleanPath(QFileInfo(file.path()).absoluteDir().absoluteFilePath(library));
}

} // namespace

void ModuleRegistry::setRegistryFile(const QString& path) {
    currentFile() = path;
    if (path.isEmpty()) {
        ComRegistry::instance().setLibraryLookup(nullptr);
        return;
    }
    auto file = std::make_shared<SettingsFile>(path);
    ComRegistry::instance().setLibraryLookup(
        [file](const QString& progId) { return libraryIn(*file, progId); });
}

QString ModuleRegistry::registryFile() {
    return currentFile();
}

QString ModuleRegistry::libraryOf(const QString& registryFile, const QString& progId) {
    SettingsFile file(registryFile);
    return libraryIn(file, progId);
}

void ModuleRegistry::registerServer(const QString& registryFile, const QString& progId,
                                    const QString& libraryPath) {
    SettingsFile(registryFile).write(section(), progId, libraryPath);
}

void ModuleRegistry::unregisterServer(const QString& registryFile, const QString& progId) {
    SettingsFile file(registryFile);
    if (!file.contains(section(), progId))
        return;
    file.remove(section(), progId);
    file.save();
}

} // namespace quill
