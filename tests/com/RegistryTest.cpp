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
    return QStringLiteral("<created>");
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_registry = m_dir.filePath(QStringLiteral("registry.ini"));
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
    ComRegistry::instance().registerFactory(QStringLiteral("Test.InProc"),
                                            [] { return std::make_shared<Answer>(3); });
    EXPECT_EQ(CreateObject(QStringLiteral("Test.InProc"))->zh(), 3);
    EXPECT_EQ(CreateObject(QStringLiteral("test.inproc"))->zh(), 3);

    ComRegistry::instance().unregisterFactory(QStringLiteral("TEST.INPROC"));
    EXPECT_TRUE(createError(QStringLiteral("Test.InProc")).contains(QStringLiteral("未注册")));
}

TEST_F(RegistryTest, FactoryThatMakesNothingIsAnError) {
    ComRegistry::instance().registerFactory(QStringLiteral("Test.Null"),
                                            [] { return std::shared_ptr<ComObject>(); });
    EXPECT_TRUE(createError(QStringLiteral("Test.Null")).contains(QStringLiteral("创建失败")));
    ComRegistry::instance().unregisterFactory(QStringLiteral("Test.Null"));
}

TEST_F(RegistryTest, UnknownProgIdNamesItselfInTheError) {
    const QString message = createError(QStringLiteral("nope.clszh"));
    EXPECT_TRUE(message.contains(QStringLiteral("nope.clszh"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("未注册")));
    EXPECT_TRUE(createError(QString()).contains(QStringLiteral("未注册")));
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
    EXPECT_EQ(ModuleRegistry::libraryOf(m_registry, QStringLiteral("quilltest.CLSZH")),
              QDir::cleanPath(module));

    {
        std::shared_ptr<ComObject> object = CreateObject(QStringLiteral("QUILLTEST.clszh"));
        ASSERT_TRUE(object);
        EXPECT_EQ(object->zh(), 7);
        EXPECT_EQ(canUnloadNow(), ComFalse);
    }
    EXPECT_EQ(canUnloadNow(), ComOk);

    ASSERT_EQ(unregisterServer(m_registry.toUtf8().constData(), module.toUtf8().constData()),
              ComOk);
    EXPECT_TRUE(createError(QStringLiteral("QUILLTEST.clszh")).contains(QStringLiteral("未注册")));
}

TEST_F(RegistryTest, RelativeLibraryPathStartsAtTheRegistryFolder) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILL_TEST_MODULE),
                            m_dir.filePath(QStringLiteral("libcopy.so"))));
    writeRegistry("[ProgID]\nQUILLTEST.clszh=libcopy.so\n");
    EXPECT_EQ(CreateObject(QStringLiteral("QUILLTEST.clszh"))->zh(), 7);
}

TEST_F(RegistryTest, InProcessFactoryWinsOverTheRegistryFile) {
    writeRegistry(QByteArray("[ProgID]\nQUILLTEST.clszh=") + QUILL_TEST_MODULE + "\n");
    ComRegistry::instance().registerFactory(QStringLiteral("QUILLTEST.clszh"),
                                            [] { return std::make_shared<Answer>(11); });
    EXPECT_EQ(CreateObject(QStringLiteral("QUILLTEST.clszh"))->zh(), 11);
    ComRegistry::instance().unregisterFactory(QStringLiteral("QUILLTEST.clszh"));
    EXPECT_EQ(CreateObject(QStringLiteral("QUILLTEST.clszh"))->zh(), 7);
}

TEST_F(RegistryTest, BrokenRegistrationsRaiseClearErrors) {
    const QString missing = m_dir.filePath(QStringLiteral("gone/libgone.so"));
    writeRegistry(QByteArray("[ProgID]\nGone.clszh=") + missing.toUtf8() + "\nBroken.clszh=" +
                  QUILL_TEST_BROKEN_MODULE + "\nOther.clszh=" + QUILL_TEST_MODULE + "\n");

    const QString gone = createError(QStringLiteral("Gone.clszh"));
    EXPECT_TRUE(gone.contains(QStringLiteral("无法加载"))) << gone.toStdString();
    EXPECT_TRUE(gone.contains(missing));

    const QString broken = createError(QStringLiteral("Broken.clszh"));
    EXPECT_TRUE(broken.contains(QStringLiteral("DllGetClassObject"))) << broken.toStdString();

    const QString other = createError(QStringLiteral("Other.clszh"));
    EXPECT_TRUE(other.contains(QStringLiteral("不提供"))) << other.toStdString();
    EXPECT_TRUE(other.contains(QStringLiteral("Other.clszh")));
}

TEST_F(RegistryTest, RegistryEditedWhileRunningIsReadAgain) {
    EXPECT_TRUE(createError(QStringLiteral("QUILLTEST.clszh")).contains(QStringLiteral("未注册")));
    ModuleRegistry::registerServer(m_registry, QStringLiteral("QUILLTEST.clszh"),
                                   QStringLiteral(QUILL_TEST_MODULE));
    EXPECT_EQ(CreateObject(QStringLiteral("QUILLTEST.clszh"))->zh(), 7);
}

} // namespace
} // namespace quill
