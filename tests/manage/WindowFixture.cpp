#include "WindowFixture.h"

#include "demo/DemoOptions.h"
#include "demo/DemoWorkspace.h"
#include "foundation/Mdlx.h"
#include "foundation/ReportStore.h"
#include "platform/db/Recordset.h"
#include "suite/SuiteLib.h"
#include "windows/manage/frmRSGL.h"

#include <QCoreApplication>
#include <QFile>
#include <QListWidget>

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

std::unique_ptr<frmRSGL> WindowFixture::opened(const QString& title) {
    auto window = load(title);
    show(*window);
    EXPECT_EQ(ui->messageTexts(), QStringList()) << title.toStdString();
    return window;
}

int WindowFixture::entry(const frmRSGL& window, const QString& report) {
    for (int i = 0; i < window.ListView1->count(); ++i) {
        if (window.ListView1->item(i)->text() == report)
            return i + 1;
    }
    return 0;
}

void WindowFixture::pick(frmRSGL& window, const QString& report) {
    window.ListView1_ItemClick(entry(window, report));
}

QString WindowFixture::unwritable(const QString& name) const {
    QFile blocker(out(QStringLiteral("plain")));
    EXPECT_TRUE(blocker.open(QIODevice::WriteOnly));
    return blocker.fileName() + u'/' + name;
}

void WindowFixture::addReport(const QString& name, const QStringList& display,
                              const QStringList& sort, const QStringList& sum,
                              const QStringList& group) {
    Recordset rs;
    ReportDraft d;
    d.name = name;
    d.display = display;
    d.sort = sort;
    d.sum = sum;
    d.group = group;
    EXPECT_EQ(ReportStore(rs).add(d), QString()) << name.toStdString();
}

void WindowFixture::writeSetting(const QString& key, const QString& value, const QString& section) {
    SuiteLib& lib = SuiteLib::instance();
    lib.WriteSetting(section, key, value, lib.settingsPath());
}

} // namespace quill::test
