#include "suite/SuiteConfig.h"
#include "suite/ModuleRegistry.h"
#include "suite/SettingsFile.h"
#include "suite/SuiteLib.h"

#include "platform/db/Connection.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(SuiteConfigTest, SavedConfigurationLoadsBackWhole) {
    QTemporaryDir dir;
    SuiteConfig config;
    config.engine = QStringLiteral("postgres");
    config.pgConnInfo = QStringLiteral("host=127.0.0.1 port=5433 dbname=quill user=hr");
    config.databaseKind = QStringLiteral("2");
    config.moduleTitle = QStringLiteral("工资管理");
    config.userName = QStringLiteral("张三");
    config.operatorName = QStringLiteral("张三 ");
    config.userMenus = QStringLiteral("工资管理,人员档案");
    config.extraFilter = QStringLiteral(" and DEPART='100'");
    config.auditFlag = QStringLiteral("是");
    config.reportFolder = QStringLiteral("/srv/reports");
    config.currentPeriod = QStringLiteral("200402");
    config.currentDate = QDate(2004, 2, 15);
    config.date1 = QStringLiteral("2004-02-01");
    config.date2 = QStringLiteral("2004-02-29");
    config.save(dir.path());

    ASSERT_TRUE(SuiteConfig::exists(dir.path()));
    EXPECT_EQ(SettingsFile(dir.filePath(QStringLiteral("suite.conf")))
                  .value(QStringLiteral("suite"), QStringLiteral("ModuleTitle")),
              QStringLiteral("工资管理"));
    const SuiteConfig back = SuiteConfig::load(dir.path());
    EXPECT_EQ(back.engine, config.engine);
    EXPECT_EQ(back.pgConnInfo, config.pgConnInfo);
    EXPECT_EQ(back.operatorName, config.operatorName);
    EXPECT_EQ(back.extraFilter, config.extraFilter);
    EXPECT_EQ(back.auditFlag, config.auditFlag);
    EXPECT_EQ(back.reportFolder, config.reportFolder);
    EXPECT_EQ(back.workFolder, QStringLiteral("work"));
    EXPECT_EQ(back.currentDate, QDate(2004, 2, 15));
    EXPECT_EQ(back.date2, config.date2);

    const ConnectionConfig cc = back.connectionConfig();
    EXPECT_EQ(cc.engine, ConnectionConfig::Engine::Postgres);
    EXPECT_EQ(cc.port, 5433);
    EXPECT_EQ(cc.database, QStringLiteral("quill"));
    EXPECT_EQ(cc.databaseKind, QStringLiteral("2"));
}

TEST(SuiteConfigTest, ApplyFillsTheSuiteWithAbsoluteFolders) {
    QTemporaryDir dir;
    SuiteConfig config;
    config.database = QStringLiteral("data/quill.db");
    config.moduleTitle = QStringLiteral("工资管理");
    config.homeFolder = QStringLiteral(".");
    config.reportFolder = QStringLiteral("reports/");
    config.iconFolder = QStringLiteral("/usr/share/icons/");
    config.settingsFileName = QStringLiteral("quill.ini");
    config.currentPeriod = QStringLiteral("200402");
    config.currentDate = QDate(2004, 2, 15);
    config.registry = QStringLiteral("modules.ini");
    config.save(dir.path());
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data")));

    SuiteLib& lib = SuiteLib::instance();
    lib.reset();
    SuiteConfig::load(dir.path()).applyTo(lib);
    ASSERT_TRUE(lib.Connection);
    EXPECT_EQ(lib.Connection->config().path, dir.filePath(QStringLiteral("data/quill.db")));
    EXPECT_EQ(lib.DatabaseKind, QStringLiteral("1"));
    EXPECT_EQ(lib.ModuleTitle, QStringLiteral("工资管理"));
    EXPECT_EQ(lib.HomeFolder, QDir(dir.path()).absolutePath());
    EXPECT_EQ(lib.ReportFolder, dir.filePath(QStringLiteral("reports")));
    EXPECT_EQ(lib.IconFolder, QStringLiteral("/usr/share/icons"));
    EXPECT_EQ(lib.settingsPath(), dir.filePath(QStringLiteral("quill.ini")));
    EXPECT_EQ(lib.CurrentPeriod, QStringLiteral("200402"));
    EXPECT_EQ(lib.CurrentDate, QDate(2004, 2, 15));
    EXPECT_EQ(ModuleRegistry::registryFile(), dir.filePath(QStringLiteral("modules.ini")));

    // No date configured: today.
    config.currentDate = QDate();
    config.save(dir.path());
    SuiteConfig::load(dir.path()).applyTo(lib);
    EXPECT_EQ(lib.CurrentDate, QDate::currentDate());

    lib.reset();
    ModuleRegistry::setRegistryFile(QString());
}

} // namespace
} // namespace quill
