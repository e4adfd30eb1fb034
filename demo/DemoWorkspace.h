#pragma once

#include "demo/DemoOptions.h"
#include "platform/db/ConnectionConfig.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quill {

class DemoGenerator;

// A demo workspace folder: the database (DIR/quill.db, or a PostgreSQL
// database it is pointed at), the suite's folders, the settings file, the
// suite configuration the host reads, the sheets and the pictures.
//
//   suite.conf            suite configuration (written last: its presence
//                         marks a finished workspace)
//   quill.db              SQLite database (absent with PostgreSQL)
//   home/                 HomeFolder: settings file quill.ini, banner
//                         bramble.bmp, photo/ employee pictures, Log/ logs
//   report/               ReportFolder: base sheet quill.vts, report templates
//   work/                 WorkFolder: log/ backups before editing
//   icon/                 IconFolder: plug-in icons named in SYS02
class DemoWorkspace {
public:
    explicit DemoWorkspace(const QString& folder);

    QString folder() const { return m_folder; }
    QString homeFolder() const;
    QString reportFolder() const;
    QString workFolder() const;
    QString iconFolder() const;
    QString photoFolder() const;
    QString settingsFileName() const { return QStringLiteral("quill.ini"); }
    // The SQLite database of this workspace.
    ConnectionConfig sqliteConfig() const;

    // Makes the workspace with the data of options (its photo folder is set
    // here). With pg the data goes to that PostgreSQL database instead of
    // DIR/quill.db. Refuses with DemoError, before writing anything, when the
    // folder already holds a workspace or the database already holds the
    // suite's tables.
    void create(DemoOptions options, const std::optional<ConnectionConfig>& pg = std::nullopt);

    // Tables with row counts and files with sizes, for the person who made
    // it; the database is the one suite.conf names.
    QString summary() const;
    // Files below the folder, relative paths, sorted.
    QStringList files() const;

private:
    void makeFolders() const;
    void drawPictures(const DemoGenerator& generator) const;
    void writeSheets() const;
    void writeSettings() const;
    void writeConfig(const DemoGenerator& generator,
                     const std::optional<ConnectionConfig>& pg) const;

    QString m_folder;
};

} // namespace quill
