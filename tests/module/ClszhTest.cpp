#include "demo/DemoOptions.h"
#include "demo/DemoWorkspace.h"
#include "platform/com/ComError.h"
#include "platform/com/CreateObject.h"
#include "platform/com/ServerExports.h"
#include "platform/ui/ScriptedUi.h"
#include "suite/ModuleRegistry.h"
#include "suite/SuiteConfig.h"
#include "suite/SuiteLib.h"

#include <QApplication>
#include <QLibrary>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace quill;

namespace {

// The module library as the suite sees it: a demo workspace on SQLite whose
// registry file gets the library through its own DllRegisterServer.
class Clszh : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        SuiteLib::instance().reset();
        DemoOptions options;
        options.employees = 6;
        options.periods = 1;
        options.photos = 0;
        DemoWorkspace(m_dir.path()).create(options);
        m_config = SuiteConfig::load(m_dir.path());
        m_config.applyTo(SuiteLib::instance());
        m_library.setFileName(QStringLiteral(QUILL_MODULE_LIBRARY));
        ASSERT_TRUE(m_library.load()) << m_library.errorString().toStdString();
    }
    void TearDown() override { SuiteLib::instance().reset(); }

    template <typename Fn> Fn exported(const char* name) {
        return reinterpret_cast<Fn>(m_library.resolve(name));
    }
    QString registry() const { return m_config.resolve(m_config.registry); }

    // Runs `whileOpen` once the module's window has been activated, then
    // closes that window.
    static void whenWindowActive(std::function<void(QWidget&)> whileOpen) {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, timer, [timer, whileOpen] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->objectName() == u"frmRSGL" && w->isVisible() &&
                    w->property("activations").toInt() >= 1) {
                    timer->stop();
                    timer->deleteLater();
                    whileOpen(*w);
                    w->close();
                    return;
                }
            }
        });
        timer->start(10);
    }

    QTemporaryDir m_dir;
    SuiteConfig m_config;
    QLibrary m_library;
    ScriptedUi m_ui;
};

TEST_F(Clszh, RegisteredLibraryServesTheModuleAndZhReturnsZero) {
    const auto registerServer = exported<DllRegisterServerFn>("DllRegisterServer");
    const auto canUnload = exported<DllCanUnloadNowFn>("DllCanUnloadNow");
    ASSERT_TRUE(registerServer && canUnload);
    ASSERT_EQ(registerServer(registry().toUtf8().constData(), QUILL_MODULE_LIBRARY), ComOk);
    EXPECT_EQ(ModuleRegistry::libraryOf(registry(), QStringLiteral("QUILL.clszh")),
              QStringLiteral(QUILL_MODULE_LIBRARY));

    SuiteLib& lib = SuiteLib::instance();
    lib.TableName = QStringLiteral("YGZL");
    std::shared_ptr<ComObject> module = CreateObject(QStringLiteral("quill.CLSZH"));
    ASSERT_TRUE(module);
    EXPECT_EQ(canUnload(), ComFalse);

    int nestedResult = -1;
    QString title;
    whenWindowActive([&](QWidget& window) {
        title = window.windowTitle();
        // The window exists once: a second start while it is open is refused.
        nestedResult = CreateObject(QStringLiteral("QUILL.clszh"))->zh();
    });
    EXPECT_EQ(module->zh(), 0);
    EXPECT_EQ(title, m_config.moduleTitle);
    EXPECT_EQ(nestedResult, 0);
    ASSERT_EQ(m_ui.messages().size(), 1);
    EXPECT_EQ(m_ui.messages()[0].text,
              QStringLiteral("数据管理窗口已经打开，请先关闭它再启动本模块"));
    EXPECT_EQ(lib.TableName, QStringLiteral("YGZL")) << "the host's table is given back";

    // A second call opens the window again.
    whenWindowActive([](QWidget&) {});
    EXPECT_EQ(module->zh(), 0);
    module.reset();
    EXPECT_EQ(canUnload(), ComOk);
}

TEST_F(Clszh, ExportsServeOnlyTheirClassAndUnregister) {
    const auto getClass = exported<DllGetClassObjectFn>("DllGetClassObject");
    const auto registerServer = exported<DllRegisterServerFn>("DllRegisterServer");
    const auto unregisterServer = exported<DllUnregisterServerFn>("DllUnregisterServer");
    ASSERT_TRUE(getClass && registerServer && unregisterServer);
    QuillCreateObjectFn create = nullptr;
    EXPECT_EQ(getClass("OTHER.clszh", &create), ComClassNotAvailable);
    EXPECT_EQ(create, nullptr);
    EXPECT_EQ(getClass("QUILL.clszh", &create), ComOk);
    EXPECT_NE(create, nullptr);

    ASSERT_EQ(registerServer(registry().toUtf8().constData(), QUILL_MODULE_LIBRARY), ComOk);
    ASSERT_EQ(unregisterServer(registry().toUtf8().constData(), QUILL_MODULE_LIBRARY), ComOk);
    EXPECT_EQ(ModuleRegistry::libraryOf(registry(), QStringLiteral("QUILL.clszh")), QString());
    EXPECT_THROW(CreateObject(QStringLiteral("QUILL.clszh")), ComError);
    // A registry file that cannot be written is a failure, not a success.
    EXPECT_EQ(registerServer("/proc/quill-no-such/registry.ini", QUILL_MODULE_LIBRARY), ComFailed);
}

} // namespace
