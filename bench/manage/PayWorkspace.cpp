#include "PayWorkspace.h"

#include "demo/DemoWorkspace.h"
#include "platform/db/Connection.h"
#include "suite/SuiteLib.h"

#include <QCoreApplication>

#include <memory>

namespace quill::bench {

PayWorkspace::PayWorkspace(const DemoOptions& options, std::optional<ConnectionConfig> pg,
                           const QString& schemaPrefix) {
    DemoWorkspace demo(m_dir.filePath(QStringLiteral("ws")));
    m_config = demo.sqliteConfig();
    if (pg) {
        m_config = *pg;
        m_config.schema = schemaPrefix + QString::number(QCoreApplication::applicationPid());
        m_config.databaseKind = QStringLiteral("2");
        Connection server(*pg);
        server.Execute(QStringLiteral("drop schema if exists ") + m_config.schema + " cascade");
        server.Execute(QStringLiteral("create schema ") + m_config.schema);
        demo.create(options, m_config);
    } else {
        demo.create(options);
    }
    SuiteLib& lib = SuiteLib::instance();
    lib.reset();
    lib.Connection = std::make_shared<Connection>(m_config);
    lib.DatabaseKind = m_config.databaseKind;
    lib.SelectTable(QStringLiteral("GZB"));
    lib.TableName = QStringLiteral("GZB");
    lib.ReportFolder = demo.reportFolder();
    lib.SettingsFolder = demo.homeFolder();
    lib.SettingsFileName = demo.settingsFileName();
    lib.WorkFolder = m_dir.path();
}

PayWorkspace::~PayWorkspace() {
    SuiteLib& lib = SuiteLib::instance();
    if (m_config.engine == ConnectionConfig::Engine::Postgres && lib.Connection)
        lib.Connection->Execute(QStringLiteral("drop schema ") + m_config.schema + " cascade");
    lib.reset();
}

DemoOptions PayWorkspace::fullSheetData() {
    DemoOptions o;
    o.employees = 1400;
    o.periods = 12;
    o.photos = 0;
    return o;
}

void PayWorkspace::queryFullSheet() {
    SuiteLib& lib = SuiteLib::instance();
    lib.QueryCaption = QStringLiteral("工资管理");
    lib.SqlSelect = QStringLiteral(
        "select zhtime, memberid, name, DEPART, GROUP0, TEAM, jbgz, gwjt, jxjj, jbf, sumAMOUNT, "
        "kk, sfgz, cqts, ffrq, year, month, name, sfgz, ffrq ");
    lib.SqlFrom = QStringLiteral(" from GZB ");
    lib.SqlWhere.clear();
    lib.SqlGroup.clear();
    lib.SqlOrder = QStringLiteral(" order by zhtime, memberid limit 16380");
    lib.joinQuery();
}

QString PayWorkspace::database() const {
    return m_config.engine == ConnectionConfig::Engine::Postgres ? QString() : m_config.path;
}

} // namespace quill::bench
