#pragma once

#include "suite/ColumnDictionary.h"
#include "suite/Organisation.h"

#include <QDate>
#include <QString>

#include <map>
#include <memory>

namespace quill {

class Connection;
class SettingsFile;

// The suite's shared services: one instance for the host and every module
// (the library is shared, so all of them see the same one). The host fills
// the shared values and the connection before it starts a module.
//
// Failing calls raise: DbError for the database, SettingsError for a
// settings file that cannot be written.
class SuiteLib {
public:
    static SuiteLib& instance();

    // Shared values, read and written by host and windows alike.
    std::shared_ptr<quill::Connection> Connection; // the open database connection
    QString DatabaseKind;                          // number as text; above 1 = quote dialect
    QString ModuleTitle;                           // title of the starting menu entry
    QString TableName;
    QString SavedTableName;
    QString SqlSelect;
    QString SqlFrom;
    QString SqlWhere;
    QString SqlGroup;
    QString SqlOrder;
    QString QuerySql; // the five parts joined, see joinQuery()
    QString ExtraFilter;
    QString RangeKind; // "time1", "date1" or ""
    QString QueryCaption;
    QString RunState;
    QString Date1;
    QString Date2;
    QString CurrentPeriod;
    QDate CurrentDate;
    QString SettingsFolder; // no trailing "/"
    QString SettingsFileName;
    QString HomeFolder;
    QString ReportFolder;
    QString WorkFolder;
    QString IconFolder;
    QString UserName;
    QString UserMenus;
    QString OperatorName;
    QString CommandName;
    QString CommandIcon;
    QString AuditFlag; // "是" = period audited
    long CurrentRow = 0;
    QString CurrentMemberId;
    long CurrentCol = 0;
    QString CurrentMemberName;
    QString CurrentCardNo;
    QString CurrentRecordDate;
    QString CurrentYear;
    QString CurrentMonth;
    QString FilterCaption1;
    QString FilterCaption2;
    QString FilterCaption3;
    QString ReadOnlyColumns1;
    QString ReadOnlyColumns2;

    // QuerySql := SqlSelect + SqlFrom + SqlWhere + SqlGroup + SqlOrder.
    void joinQuery();
    // The settings file: SettingsFolder + "/" + SettingsFileName.
    QString settingsPath() const;

    // Settings: "" when the file, section or key is absent. A "\" in the file
    // path is taken as "/". Each file is parsed once and read again only when
    // it changed on disk. ReadSetting2 reads exactly as ReadSetting.
    QString ReadSetting(const QString& section, const QString& key, const QString& file);
    QString ReadSetting2(const QString& section, const QString& key, const QString& file);
    void WriteSetting(const QString& section, const QString& key, const QString& value,
                      const QString& file);

    // Column dictionary of the current table (SelectTable). Names are field
    // names (any letter case) or captions.
    QString ColumnLookup(const QString& name) const;
    QString ColumnType(const QString& name) const;
    QString ColumnWidth(const QString& name) const;
    // 0 caption, 1 field name, 2 type code; columns count from 1, position 0
    // gives the table's own caption (its module title) and table name.
    QString ColumnAttribute(int attribute, long position) const;
    long ColumnCount() const;
    // The table named by a module title or a table name, or "".
    QString ResolveTable(const QString& name, const QString& unused = QString());
    // Makes the table named by a module title or table name current; an
    // unknown name leaves no current table (ColumnCount 0).
    void SelectTable(const QString& name);
    // The text of the current query (QuerySql); the caption only names it.
    QString QueryText(const QString& caption) const;

    // value made up to `width` characters with `fill` in front.
    static QString PadNumber(const QString& value, QChar fill, int width);
    // text made up with `fill` behind it to `width` bytes of code page GBK (a
    // Chinese character counts 2), the width it takes in a fixed-width file.
    static QString PadText(const QString& text, QChar fill, int width);

    // 3 for the caption of DEPART, 2 of GROUP0, 1 of TEAM, 0 otherwise.
    long OrgLevel(const QString& caption) const;
    // Names by code. The caption and the names above are accepted for the
    // callers' sake; a code alone names its unit.
    QString DeptName(const QString& caption, const QString& code);
    QString TeamName(const QString& deptName, const QString& code);
    QString GroupName(const QString& deptName, const QString& teamName, const QString& code);
    // Codes by name, under the names above.
    QString DeptCode(const QString& caption, const QString& name);
    QString TeamCode(const QString& deptName, const QString& name);
    QString GroupCode(const QString& deptName, const QString& teamName, const QString& name);
    // The organisation is read once per connection; call this after the tree
    // was edited so the next lookup reads it again.
    void dropOrganisation();
    // Reads the organisation now unless it is held for this connection, so
    // that the name and code look-ups after it cannot fail; DbError when it
    // cannot be read.
    void loadOrganisation() { organisation(); }

    // Recordsets SuiteLib has opened so far (dictionary and organisation).
    int recordsetsOpened() const { return m_recordsetsOpened; }
    // Everything back to a fresh instance (tests, a host starting over).
    void reset();

    SuiteLib(const SuiteLib&) = delete;
    SuiteLib& operator=(const SuiteLib&) = delete;

private:
    SuiteLib();
    ~SuiteLib();
    SuiteLib(SuiteLib&&) = default;
    SuiteLib& operator=(SuiteLib&&) = default;
    quill::Connection& connection() const;
    const Organisation& organisation();
    SettingsFile& settingsFile(const QString& file);

    ColumnDictionary m_dictionary;
    Organisation m_organisation;
    std::weak_ptr<quill::Connection> m_organisationOf;
    std::map<QString, std::unique_ptr<SettingsFile>> m_settings; // by absolute path
    int m_recordsetsOpened = 0;
};

} // namespace quill
