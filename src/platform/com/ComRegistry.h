#pragma once

#include "platform/com/ComObject.h"

#include <QHash>
#include <QString>

#include <functional>
#include <map>
#include <memory>

class QLibrary;

namespace quill {

using ComFactory = std::function<std::shared_ptr<ComObject>()>;
// The module library serving a ProgID, or "" when none is registered.
using LibraryLookup = std::function<QString(const QString& progId)>;

// The ProgIDs known to this process: factories registered in process first,
// then module libraries named by the lookup (the suite's registry file). A
// library is asked through its DllGetClassObject export and stays loaded for
// the life of the process, so objects it made never outlive their code.
// ProgIDs compare case-insensitively.
class ComRegistry {
public:
    static ComRegistry& instance();

    void registerFactory(const QString& progId, ComFactory factory);
    void unregisterFactory(const QString& progId);
    void setLibraryLookup(LibraryLookup lookup);

    // Throws ComError when the ProgID is unknown or its library cannot serve it.
    std::shared_ptr<ComObject> create(const QString& progId);

private:
    ComRegistry();
    ~ComRegistry();
    std::shared_ptr<ComObject> createFromLibrary(const QString& progId, const QString& library);

    QHash<QString, ComFactory> m_factories; // case-folded ProgID
    LibraryLookup m_lookup;
    std::map<QString, std::unique_ptr<QLibrary>> m_libraries; // by file path
};

} // namespace quill
