#include "ModuleRegistration.h"

#include "platform/com/ComObject.h"
#include "platform/com/ComRegistry.h"
#include "platform/com/ServerExports.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <memory>

namespace quill {

QString ModuleRegistration::builtLibrary() {
    const QDir host(QCoreApplication::applicationDirPath());
    const QString installed = host.absoluteFilePath(QStringLiteral(QUILL_MODULE_INSTALLED));
    if (QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return QDir::cleanPath(host.absoluteFilePath(QStringLiteral(QUILL_MODULE_BUILT)));
}

QString ModuleRegistration::registerModule(const QString& libraryPath,
                                           const QString& registryFile) {
    if (!QFileInfo::exists(libraryPath))
        return QStringLiteral("找不到模块库 %1").arg(libraryPath);
    // Stays loaded for the life of the process, as every module library does.
    auto* library = new QLibrary(libraryPath);
    if (!library->load())
        return QStringLiteral("模块库 %1 无法加载：%2").arg(libraryPath, library->errorString());
    if (!registryFile.isEmpty()) {
        const auto reg =
            reinterpret_cast<DllRegisterServerFn>(library->resolve("DllRegisterServer"));
        if (!reg ||
            reg(registryFile.toUtf8().constData(), libraryPath.toUtf8().constData()) != ComOk)
            return QStringLiteral("模块库 %1 未能登记到 %2").arg(libraryPath, registryFile);
        return QString();
    }
    const auto getClass =
        reinterpret_cast<DllGetClassObjectFn>(library->resolve("DllGetClassObject"));
    QuillCreateObjectFn create = nullptr;
    if (!getClass || getClass(ProgId, &create) != ComOk || !create)
        return QStringLiteral("模块库 %1 不提供部件 %2").arg(libraryPath, QLatin1String(ProgId));
    ComRegistry::instance().registerFactory(
        QLatin1String(ProgId), [create]() { return std::shared_ptr<ComObject>(create()); });
    return QString();
}

} // namespace quill
