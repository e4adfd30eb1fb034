#include "suite/SuiteConfig.h"

#include "platform/db/Connection.h"
#include "suite/ModuleRegistry.h"
#include "suite/SettingsFile.h"
#include "suite/SuiteLib.h"

#include <QDir>
#include <QFile>

#include <utility>
#include <vector>

namespace quill {

namespace {

// The text members and their keys, for load and save alike.
std::vector<std::pair<const char*, QString SuiteConfig::*>> textKeys() {
    return {{"Engine", &SuiteConfig::engine},
            {"Database", &SuiteConfig::database},
            {"PgConnInfo", &SuiteConfig::pgConnInfo},
            {"DatabaseKind", &SuiteConfig::databaseKind},
            {"ModuleTitle", &SuiteConfig::moduleTitle},
            {"UserName", &SuiteConfig::userName},
            {"OperatorName", &SuiteConfig::operatorName},
            {"UserMenus", &SuiteConfig::userMenus},
            {"ExtraFilter", &SuiteConfig::extraFilter},
            {"AuditFlag", &SuiteConfig::auditFlag},
            {"HomeFolder", &SuiteConfig::homeFolder},
            {"ReportFolder", &SuiteConfig::reportFolder},
            {"WorkFolder", &SuiteConfig::workFolder},
            {"IconFolder", &SuiteConfig::iconFolder},
            {"SettingsFolder", &SuiteConfig::settingsFolder},
            {"SettingsFileName", &SuiteConfig::settingsFileName},
            {"CurrentPeriod", &SuiteConfig::currentPeriod},
            {"Date1", &SuiteConfig::date1},
            {"Date2", &SuiteConfig::date2},
            {"Registry", &SuiteConfig::registry}};
}

const QString DateFormat = QStringLiteral("yyyy-MM-dd");

QString filePath(const QString& workspaceDir) {
    return QDir(workspaceDir).filePath(SuiteConfig::fileName());
}

} // namespace

bool SuiteConfig::exists(const QString& workspaceDir) {
    return QFile::exists(filePath(workspaceDir));
}

SuiteConfig SuiteConfig::load(const QString& workspaceDir) {
    SuiteConfig config;
    config.workspaceDir = QDir(workspaceDir).absolutePath();
    SettingsFile file(filePath(workspaceDir));
    for (const auto& [key, member] : textKeys()) {
        if (file.contains(section(), QLatin1String(key)))
            config.*member = file.value(section(), QLatin1String(key));
    }
    config.currentDate = QDate::fromString(
        file.value(section(), QStringLiteral("CurrentDate")).trimmed(), DateFormat);
    return config;
}

void SuiteConfig::save(const QString& workspaceDir) const {
    SettingsFile file(filePath(workspaceDir));
    for (const auto& [key, member] : textKeys())
        file.setValue(section(), QLatin1String(key), this->*member);
    file.setValue(section(), QStringLiteral("CurrentDate"),
                  currentDate.isValid() ? currentDate.toString(DateFormat) : QString());
    file.save();
}

QString SuiteConfig::resolve(const QString& path) const {
    const QString absolute = QDir(workspaceDir).absoluteFilePath(path.trimmed());
    return QDir::cleanPath(absolute);
}

ConnectionConfig SuiteConfig::connectionConfig() const {
    ConnectionConfig c;
    if (engine.trimmed().compare(QLatin1String("postgres"), Qt::CaseInsensitive) == 0) {
        c = ConnectionConfig::fromPgConnInfo(pgConnInfo);
    } else {
        c.engine = ConnectionConfig::Engine::Sqlite;
        c.path = resolve(database);
        c.databaseKind = QStringLiteral("1");
    }
    if (!databaseKind.trimmed().isEmpty())
        c.databaseKind = databaseKind.trimmed();
    return c;
}

void SuiteConfig::applyTo(SuiteLib& lib) const {
    const ConnectionConfig cc = connectionConfig();
    lib.Connection = std::make_shared<Connection>(cc);
    lib.DatabaseKind = cc.databaseKind;
    lib.ModuleTitle = moduleTitle;
    lib.UserName = userName;
    lib.OperatorName = operatorName;
    lib.UserMenus = userMenus;
    lib.ExtraFilter = extraFilter;
    lib.AuditFlag = auditFlag;
    lib.HomeFolder = resolve(homeFolder);
    lib.ReportFolder = resolve(reportFolder);
    lib.WorkFolder = resolve(workFolder);
    lib.IconFolder = resolve(iconFolder);
    lib.SettingsFolder = resolve(settingsFolder);
    lib.SettingsFileName = settingsFileName;
    lib.CurrentPeriod = currentPeriod;
    lib.CurrentDate = currentDate.isValid() ? currentDate : QDate::currentDate();
    lib.Date1 = date1;
    lib.Date2 = date2;
    lib.dropOrganisation();
    ModuleRegistry::setRegistryFile(registry.trimmed().isEmpty() ? QString() : resolve(registry));
}

} // namespace quill
