#include "suite/SuiteLib.h"

#include "platform/db/DbError.h"
#include "platform/vb/ByteLength.h"
#include "suite/SettingsError.h"
#include "suite/SettingsFile.h"

#include <QFileInfo>

#include <algorithm>

namespace quill {

SuiteLib& SuiteLib::instance() {
    static SuiteLib lib;
    return lib;
}

SuiteLib::SuiteLib() = default;
SuiteLib::~SuiteLib() = default;

void SuiteLib::reset() {
    *this = SuiteLib();
}

void SuiteLib::joinQuery() {
    QuerySql = SqlSelect + SqlFrom + SqlWhere + SqlGroup + SqlOrder;
}

QString SuiteLib::settingsPath() const {
    return SettingsFolder + QLatin1Char('/') + SettingsFileName;
}

SettingsFile& SuiteLib::settingsFile(const QString& file) {
    QString path = file;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    path = QFileInfo(path).absoluteFilePath();
    std::unique_ptr<SettingsFile>& slot = m_settings[path];
    if (!slot)
        slot = std::make_unique<SettingsFile>(path);
    return *slot;
}

QString SuiteLib::ReadSetting(const QString& section, const QString& key, const QString& file) {
    if (file.trimmed().isEmpty())
        return QString();
    return settingsFile(file).value(section, key);
}

QString SuiteLib::ReadSetting2(const QString& section, const QString& key, const QString& file) {
    return ReadSetting(section, key, file);
}

void SuiteLib::WriteSetting(const QString& section, const QString& key, const QString& value,
                            const QString& file) {
    if (file.trimmed().isEmpty())
        throw SettingsError(QStringLiteral("没有指定设置文件，%1 未能保存").arg(key));
    settingsFile(file).write(section, key, value);
}

quill::Connection& SuiteLib::connection() const {
    if (!Connection)
        throw DbError(QStringLiteral("没有打开的数据库连接"));
    return *Connection;
}

QString SuiteLib::ColumnLookup(const QString& name) const {
    return m_dictionary.lookup(name);
}

QString SuiteLib::ColumnType(const QString& name) const {
    const ColumnDictionary::Column* c = m_dictionary.column(name);
    return c ? c->type : QString();
}

QString SuiteLib::ColumnWidth(const QString& name) const {
    const ColumnDictionary::Column* c = m_dictionary.column(name);
    return c ? c->width : QString();
}

QString SuiteLib::ColumnAttribute(int attribute, long position) const {
    return m_dictionary.attribute(attribute, position);
}

long SuiteLib::ColumnCount() const {
    return m_dictionary.count();
}

QString SuiteLib::ResolveTable(const QString& name, const QString&) {
    const auto tables = ColumnDictionary::readTables(connection(), m_recordsetsOpened);
    const ColumnDictionary::TableRow* row = ColumnDictionary::match(tables, name);
    return row ? row->table : QString();
}

void SuiteLib::SelectTable(const QString& name) {
    quill::Connection& db = connection();
    const auto tables = ColumnDictionary::readTables(db, m_recordsetsOpened);
    const ColumnDictionary::TableRow* row = ColumnDictionary::match(tables, name);
    if (row)
        m_dictionary.load(db, *row, m_recordsetsOpened);
    else
        m_dictionary.clear();
}

QString SuiteLib::QueryText(const QString&) const {
    return QuerySql;
}

QString SuiteLib::PadNumber(const QString& value, QChar fill, int width) {
    return value.rightJustified(width, fill);
}

QString SuiteLib::PadText(const QString& text, QChar fill, int width) {
    const int missing = width - vb::GbkByteLength(text);
    const int fillBytes = std::max(1, vb::GbkByteLength(QStringView(&fill, 1)));
    return missing > 0 ? text + QString((missing + fillBytes - 1) / fillBytes, fill) : text;
}

long SuiteLib::OrgLevel(const QString& caption) const {
    const ColumnDictionary::Column* c = m_dictionary.byCaption(caption);
    if (!c)
        return 0;
    if (c->field.compare(QLatin1String("DEPART"), Qt::CaseInsensitive) == 0)
        return 3;
    if (c->field.compare(QLatin1String("GROUP0"), Qt::CaseInsensitive) == 0)
        return 2;
    if (c->field.compare(QLatin1String("TEAM"), Qt::CaseInsensitive) == 0)
        return 1;
    return 0;
}

const Organisation& SuiteLib::organisation() {
    if (!m_organisation.isLoaded() || m_organisationOf.lock() != Connection) {
        m_organisation.load(connection(), m_recordsetsOpened);
        m_organisationOf = Connection;
    }
    return m_organisation;
}

void SuiteLib::dropOrganisation() {
    m_organisation.clear();
}

QString SuiteLib::DeptName(const QString&, const QString& code) {
    return code.trimmed().isEmpty() ? QString() : organisation().deptName(code);
}

QString SuiteLib::TeamName(const QString&, const QString& code) {
    return code.trimmed().isEmpty() ? QString() : organisation().teamName(code);
}

QString SuiteLib::GroupName(const QString&, const QString&, const QString& code) {
    return code.trimmed().isEmpty() ? QString() : organisation().groupName(code);
}

QString SuiteLib::DeptCode(const QString&, const QString& name) {
    return name.trimmed().isEmpty() ? QString() : organisation().deptCode(name);
}

QString SuiteLib::TeamCode(const QString& deptName, const QString& name) {
    return name.trimmed().isEmpty() ? QString() : organisation().teamCode(deptName, name);
}

QString SuiteLib::GroupCode(const QString& deptName, const QString& teamName, const QString& name) {
    return name.trimmed().isEmpty() ? QString()
                                    : organisation().groupCode(deptName, teamName, name);
}

} // namespace quill
