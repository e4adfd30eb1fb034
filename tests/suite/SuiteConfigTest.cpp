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
    config.engine = "postgres";
    config.pgConnInfo = "host=127.0.0.1 port=5433 dbname=quill user=hr";
    config.databaseKind = "2";
    config.moduleTitle = "工资管理";
    config.userName = "张三";
    config.operatorName = "张三 ";
    config.userMenus = "工资管理,人员档案";
    config.extraFilter = " and DEPART='100'";
    config.auditFlag = "是";
    config.reportFolder = "/srv/reports";
    config.currentPeriod = "200402";
    config.currentDate = QDate(2004, 2, 15);
    config.date1 = "2004-02-01";
    config.date2 = "2004-02-29";
    config.save(dir.path());

    ASSERT_TRUE(SuiteConfig::exists(dir.path()));
    EXPECT_EQ(SettingsFile(dir.filePath("suite.conf")).value("suite", "ModuleTitle"), "工资管理");
    const SuiteConfig back = SuiteConfig::load(dir.path());
    EXPECT_EQ(back.engine, config.engine);
    EXPECT_EQ(back.pgConnInfo, config.pgConnInfo);
    EXPECT_EQ(back.operatorName, config.operatorName);
    EXPECT_EQ(back.extraFilter, config.extraFilter);
    EXPECT_EQ(back.auditFlag, config.auditFlag);
    EXPECT_EQ(back.reportFolder, config.reportFolder);
    EXPECT_EQ(back.workFolder, "work");
    EXPECT_EQ(back.currentDate, QDate(2004, 2, 15));
    EXPECT_EQ(back.date2, config.date2);

    const ConnectionConfig cc = back.connectionConfig();
    EXPECT_EQ(cc.engine, ConnectionConfig::Engine::Postgres);
    EXPECT_EQ(cc.port, 5433);
    EXPECT_EQ(cc.database, "quill");
    EXPECT_EQ(cc.databaseKind, "2");
}

TEST(SuiteConfigTest, ApplyFillsTheSuiteWithAbsoluteFolders) {
    QTemporaryDir dir;
    SuiteConfig config;
    config.database = "data/quill.db";
    config.moduleTitle = "工资管理";
    config.homeFolder = ".";
    config.reportFolder = "reports/";
    config.iconFolder = "/usr/share/icons/";
    config.settingsFileName = "quill.ini";
    config.currentPeriod = "200402";
    config.currentDate = QDate(2004, 2, 15);
    config.registry = "modules.ini";
    config.save(dir.path());
    ASSERT_TRUE(QDir(dir.path()).mkpath("data"));

    SuiteLib& lib = SuiteLib::instance();
    lib.reset();
    SuiteConfig::load(dir.path()).applyTo(lib);
    ASSERT_TRUE(lib.Connection);
    EXPECT_EQ(lib.Connection->config().path, dir.filePath("data/quill.db"));
    EXPECT_EQ(lib.DatabaseKind, "1");
    EXPECT_EQ(lib.ModuleTitle, "工资管理");
    EXPECT_EQ(lib.HomeFolder, QDir(dir.path()).absolutePath());
    EXPECT_EQ(lib.ReportFolder, dir.filePath("reports"));
    EXPECT_EQ(lib.IconFolder, "/usr/share/icons");
    EXPECT_EQ(lib.settingsPath(), dir.filePath("quill.ini"));
    EXPECT_EQ(lib.CurrentPeriod, "200402");
    EXPECT_EQ(lib.CurrentDate, QDate(2004, 2, 15));
    EXPECT_EQ(ModuleRegistry::registryFile(), dir.filePath("modules.ini"));

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
