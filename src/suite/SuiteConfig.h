#pragma once

#include "platform/db/ConnectionConfig.h"

#include <QDate>
#include <QString>

namespace quill {

class SuiteLib;

// The suite configuration of a workspace: the file suite.conf in the
// workspace folder, section [suite], one key per member below (Engine,
// Database, PgConnInfo, DatabaseKind, ModuleTitle, ...). Folders and files
// are relative to the workspace unless absolute. The host reads it and fills
// SuiteLib; the demo writes it.
struct SuiteConfig {
    QString engine = QStringLiteral("sqlite");     // "sqlite" or "postgres"
    QString database = QStringLiteral("quill.db"); // SQLite file
    QString pgConnInfo;                            // libpq key=value form, see ConnectionConfig
    QString databaseKind;                          // "" = "1" on SQLite, "2" on PostgreSQL
    QString moduleTitle;
    QString userName;
    QString operatorName;
    QString userMenus;
    QString extraFilter;
    QString auditFlag;
    QString homeFolder = QStringLiteral(".");
    QString reportFolder = QStringLiteral("reports");
    QString workFolder = QStringLiteral("work");
    QString iconFolder = QStringLiteral("icons");
    QString settingsFolder = QStringLiteral(".");
    QString settingsFileName = QStringLiteral("quill.ini");
    QString currentPeriod;
    QDate currentDate; // invalid = today
    QString date1;
    QString date2;
    QString registry = QStringLiteral("registry.ini"); // the module registry file

    QString workspaceDir; // set by load(); relative paths start here

    static QString fileName() { return QStringLiteral("suite.conf"); }
    static QString section() { return QStringLiteral("suite"); }
    static bool exists(const QString& workspaceDir);

    // Absent keys keep the defaults above.
    static SuiteConfig load(const QString& workspaceDir);
    // Throws SettingsError when the file cannot be written.
    void save(const QString& workspaceDir) const;

    // A path of the configuration made absolute, without a trailing "/".
    QString resolve(const QString& path) const;
    ConnectionConfig connectionConfig() const;
    // Opens the connection (DbError on failure), fills every shared value of
    // the suite and points CreateObject at the module registry file.
    void applyTo(SuiteLib& lib) const;
};

} // namespace quill
