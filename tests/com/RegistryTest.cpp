#include "platform/com/ComError.h"
#include "platform/com/ComRegistry.h"
#include "platform/com/CreateObject.h"
#include "platform/com/ServerExports.h"
#include "suite/ModuleRegistry.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quill {
namespace {

class Answer : public ComObject {
public:
    explicit Answer(int value)
        : m_value(value) {}
    int zh() override { return m_value; }

private:
    int m_value;
};

QString createError(const QString& progId) {
    try {
        CreateObject(progId);
    } catch (const ComError& e) {
        return e.message();
    }
    return "<created>";
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_registry = m_dir.filePath("registry.ini");
        ModuleRegistry::setRegistryFile(m_registry);
    }
    void TearDown() override { ModuleRegistry::setRegistryFile(QString()); }

    void writeRegistry(const QByteArray& text) {
        QFile file(m_registry);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir m_dir;
    QString m_registry;
};

TEST_F(RegistryTest, InProcessFactoriesAreFoundInAnyLetterCase) {
    ComRegistry::instance().registerFactory("Test.InProc",
                                            [] { return std::make_shared<Answer>(3); });
    EXPECT_EQ(CreateObject("Test.InProc")->zh(), 3);
    EXPECT_EQ(CreateObject("test.inproc")->zh(), 3);

    ComRegistry::instance().unregisterFactory("TEST.INPROC");
    EXPECT_TRUE(createError("Test.InProc").contains("未注册"));
}

TEST_F(RegistryTest, FactoryThatMakesNothingIsAnError) {
    ComRegistry::instance().registerFactory("Test.Null",
                                            [] { return std::shared_ptr<ComObject>(); });
    EXPECT_TRUE(createError("Test.Null").contains("创建失败"));
    ComRegistry::instance().unregisterFactory("Test.Null");
}

TEST_F(RegistryTest, UnknownProgIdNamesItselfInTheError) {
    const QString message = createError("nope.clszh");
    EXPECT_TRUE(message.contains("nope.clszh")) << message.toStdString();
    EXPECT_TRUE(message.contains("未注册"));
    EXPECT_TRUE(createError(QString()).contains("未注册"));
}

TEST_F(RegistryTest, ModuleLibraryRegistersCreatesAndUnregisters) {
    const QString module = QStringLiteral(QUILL_TEST_MODULE);
    QLibrary library(module);
    ASSERT_TRUE(library.load()) << library.errorString().toStdString();
    const auto registerServer =
        reinterpret_cast<DllRegisterServerFn>(library.resolve("DllRegisterServer"));
    const auto unregisterServer =
        reinterpret_cast<DllUnregisterServerFn>(library.resolve("DllUnregisterServer"));
    const auto canUnloadNow =
        reinterpret_cast<DllCanUnloadNowFn>(library.resolve("DllCanUnloadNow"));
    ASSERT_TRUE(registerServer && unregisterServer && canUnloadNow);

    ASSERT_EQ(registerServer(m_registry.toUtf8().constData(), module.toUtf8().constData()), ComOk);
    QFile file(m_registry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(("QUILLTEST.clszh=" + module).toUtf8()));
    EXPECT_EQ(ModuleRegistry::libraryOf(m_registry, "quilltest.CLSZH"), QDir::cleanPath(module));

    {
        std::shared_ptr<ComObject> object = CreateObject("QUILLTEST.clszh");
        ASSERT_TRUE(object);
        EXPECT_EQ(object->zh(), 7);
        EXPECT_EQ(canUnloadNow(), ComFalse);
    }
    EXPECT_EQ(canUnloadNow(), ComOk);

    ASSERT_EQ(unregisterServer(m_registry.toUtf8().constData(), module.toUtf8().constData()),
              ComOk);
    EXPECT_TRUE(createError("QUILLTEST.clszh").contains("未注册"));
}

TEST_F(RegistryTest, RelativeLibraryPathStartsAtTheRegistryFolder) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILL_TEST_MODULE), m_dir.filePath("libcopy.so")));
    writeRegistry("[ProgID]\nQUILLTEST.clszh=libcopy.so\n");
    EXPECT_EQ(CreateObject("QUILLTEST.clszh")->zh(), 7);
}

TEST_F(RegistryTest, InProcessFactoryWinsOverTheRegistryFile) {
    writeRegistry(QByteArray("[ProgID]\nQUILLTEST.clszh=") + QUILL_TEST_MODULE + "\n");
    ComRegistry::instance().registerFactory("QUILLTEST.clszh",
                                            [] { return std::make_shared<Answer>(11); });
    EXPECT_EQ(CreateObject("QUILLTEST.clszh")->zh(), 11);
    ComRegistry::instance().unregisterFactory("QUILLTEST.clszh");
    EXPECT_EQ(CreateObject("QUILLTEST.clszh")->zh(), 7);
}

TEST_F(RegistryTest, BrokenRegistrationsRaiseClearErrors) {
    const QString missing = m_dir.filePath("gone/libgone.so");
    writeRegistry(QByteArray("[ProgID]\nGone.clszh=") + missing.toUtf8() + "\nBroken.clszh=" +
                  QUILL_TEST_BROKEN_MODULE + "\nOther.clszh=" + QUILL_TEST_MODULE + "\n");

    const QString gone = createError("Gone.clszh");
    EXPECT_TRUE(gone.contains("无法加载")) << gone.toStdString();
    EXPECT_TRUE(gone.contains(missing));

    const QString broken = createError("Broken.clszh");
    EXPECT_TRUE(broken.contains("DllGetClassObject")) << broken.toStdString();

    const QString other = createError("Other.clszh");
    EXPECT_TRUE(other.contains("不提供")) << other.toStdString();
    EXPECT_TRUE(other.contains("Other.clszh"));
}

TEST_F(RegistryTest, RegistryEditedWhileRunningIsReadAgain) {
    EXPECT_TRUE(createError("QUILLTEST.clszh").contains("未注册"));
    ModuleRegistry::registerServer(m_registry, "QUILLTEST.clszh",
                                   QStringLiteral(QUILL_TEST_MODULE));
    EXPECT_EQ(CreateObject("QUILLTEST.clszh")->zh(), 7);
}

} // namespace
} // namespace quill
