#include "platform/com/ComRegistry.h"

#include "platform/com/ComError.h"
#include "platform/com/ServerExports.h"

#include <QFileInfo>
#include <QLibrary>

namespace quill {

namespace {

// ProgIDs compare case-insensitively and without blanks around them.
QString keyOf(const QString& progId) {
    return progId.trimmed().toCaseFolded();
}

} // namespace

ComRegistry& ComRegistry::instance() {
    static ComRegistry registry;
    return registry;
}

ComRegistry::ComRegistry() = default;

// Libraries stay loaded: QLibrary's destructor does not unload them.
ComRegistry::~ComRegistry() = default;

void ComRegistry::registerFactory(const QString& progId, ComFactory factory) {
    m_factories.insert(keyOf(progId), std::move(factory));
}

void ComRegistry::unregisterFactory(const QString& progId) {
    m_factories.remove(keyOf(progId));
}

void ComRegistry::setLibraryLookup(LibraryLookup lookup) {
    m_lookup = std::move(lookup);
}

std::shared_ptr<ComObject> ComRegistry::create(const QString& progId) {
    const QString name = progId.trimmed();
    const auto factory = m_factories.constFind(keyOf(name));
    if (factory != m_factories.cend()) {
        std::shared_ptr<ComObject> object = (*factory)();
        if (!object)
            throw ComError(QStringLiteral("部件 %1 创建失败").arg(name));
        return object;
    }
    const QString library = m_lookup ? m_lookup(name) : QString();
    if (name.isEmpty() || library.isEmpty())
        throw ComError(QStringLiteral("部件 %1 未注册").arg(name));
    return createFromLibrary(name, library);
}

std::shared_ptr<ComObject> ComRegistry::createFromLibrary(const QString& progId,
                                                          const QString& library) {
    const QString path = QFileInfo(library).absoluteFilePath();
    auto loaded = m_libraries.find(path);
    if (loaded == m_libraries.end()) {
        auto candidate = std::make_unique<QLibrary>(path);
        if (!candidate->load())
            throw ComError(QStringLiteral("部件 %1 的模块库 %2 无法加载：%3")
                               .arg(progId, path, candidate->errorString()));
        loaded = m_libraries.emplace(path, std::move(candidate)).first;
    }
    const auto getClassObject =
        reinterpret_cast<DllGetClassObjectFn>(loaded->second->resolve("DllGetClassObject"));
    if (!getClassObject)
        throw ComError(QStringLiteral("模块库 %1 不是部件库（没有 DllGetClassObject）").arg(path));
    QuillCreateObjectFn createObject = nullptr;
    if (getClassObject(progId.toUtf8().constData(), &createObject) != ComOk || !createObject)
        throw ComError(QStringLiteral("模块库 %1 不提供部件 %2").arg(path, progId));
    std::shared_ptr<ComObject> object(createObject());
    if (!object)
        throw ComError(QStringLiteral("部件 %1 创建失败").arg(progId));
    return object;
}

} // namespace quill
