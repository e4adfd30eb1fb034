// The settings file round trip: whatever sections, keys and values are
// written, a fresh reading gives the same keys with the same values, and so
// does a reading after the file has been written again. The input is a list
// of section, key and value texts separated by U+0001.
#include "FuzzTarget.h"

#include "suite/SettingsFile.h"

#include <QFile>
#include <QHash>

#include <cstdio>
#include <map>
#include <utility>

namespace {

using Written = std::map<std::pair<QString, QString>, QString>; // folded section and key

void checkReading(const QString& path, const Written& written) {
    quill::SettingsFile file(path);
    QHash<QString, qsizetype> keyCounts;
    for (const auto& [names, value] : written) {
        FUZZ_CHECK(file.contains(names.first, names.second), "a written key is not read back");
        const QString read = file.value(names.first, names.second);
        if (read != value)
            std::fprintf(stderr, "[%s] %s: wrote \"%s\", read \"%s\"\n", qPrintable(names.first),
                         qPrintable(names.second), qPrintable(value), qPrintable(read));
        FUZZ_CHECK(read == value, "a written value is read back changed");
        ++keyCounts[names.first];
    }
    for (auto count = keyCounts.cbegin(); count != keyCounts.cend(); ++count)
        FUZZ_CHECK(file.keys(count.key()).size() == count.value(),
                   "a section holds other keys than were written");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList fields = text.split(QChar(1));
    const QString path = quill::fuzzPath(".ini");
    QFile::remove(path);

    Written written;
    quill::SettingsFile file(path);
    for (qsizetype i = 0; i + 2 < fields.size(); i += 3) {
        file.setValue(fields[i], fields[i + 1], fields[i + 2]);
        written[{fields[i].toCaseFolded(), fields[i + 1].toCaseFolded()}] = fields[i + 2];
    }
    file.save();
    checkReading(path, written);

    // Written again by another reader, with one more key.
    quill::SettingsFile again(path);
    again.write(QStringLiteral("fuzz"), QStringLiteral("again"), text);
    written[{QStringLiteral("fuzz"), QStringLiteral("again")}] = text;
    checkReading(path, written);
    return 0;
}
