#include "WindowFixture.h"

#include "demo/DemoOptions.h"
#include "demo/DemoWorkspace.h"
#include "foundation/Mdlx.h"
#include "suite/SuiteLib.h"
#include "windows/manage/frmRSGL.h"

#include <QCoreApplication>

#include <optional>

namespace quill::test {

void WindowFixture::SetUp() {
    EngineTest::SetUp();
    if (IsSkipped())
        return;
    m_config = loadDemoWorkspace(db(), GetParam());
    m_workspace = db().folder() + QStringLiteral("/ws");
    ui = std::make_unique<ScriptedUi>();
}

SuiteConfig WindowFixture::loadDemoWorkspace(TestDatabase& db, Engine engine) {
    SuiteLib::instance().reset();
    Mdlx::instance().reset();
    const QString workspace = db.folder() + QStringLiteral("/ws");
    DemoOptions options;
    options.employees = 12;
    options.periods = 2;
    options.photos = 0;
    std::optional<ConnectionConfig> pg;
    if (engine == Engine::Pg)
        pg = db.config();
    DemoWorkspace(workspace).create(options, pg);
    SuiteConfig config = SuiteConfig::load(workspace);
    config.applyTo(SuiteLib::instance());
    return config;
}

void WindowFixture::TearDown() {
    ui.reset();
    SuiteLib::instance().reset();
    Mdlx::instance().reset();
    EngineTest::TearDown();
}

std::unique_ptr<frmRSGL> WindowFixture::load(const QString& title) {
    SuiteLib::instance().ModuleTitle = title;
    return std::make_unique<frmRSGL>();
}

void WindowFixture::show(frmRSGL& window) {
    window.show();
    QCoreApplication::processEvents();
}

void WindowFixture::writeSetting(const QString& key, const QString& value, const QString& section) {
    SuiteLib& lib = SuiteLib::instance();
    lib.WriteSetting(section, key, value, lib.settingsPath());
}

} // namespace quill::test
