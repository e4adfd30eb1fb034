#include "HostProcess.h"

#include "demo/DemoWorkspace.h"
#include "suite/AdminPassword.h"
#include "suite/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quill;

namespace {

// The host program run for real on a small demo workspace of its own, with
// `input` on its standard input (a pipe, not a terminal).
class HostAdminTest : public testing::Test {
protected:
    void SetUp() override {
        DemoOptions options;
        options.employees = 6;
        options.periods = 1;
        options.photos = 0;
        DemoWorkspace(workspace()).create(options);
    }

    QString workspace() const { return m_dir.filePath(QStringLiteral("ws")); }
    QString settingsPath() const { return workspace() + QStringLiteral("/home/quill.ini"); }
    QString storedAdmin() const {
        return SettingsFile(settingsPath()).value(AdminPassword::Section, AdminPassword::Key);
    }
    QByteArray settingsBytes() const {
        QFile f(settingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    HostResult run(const QStringList& arguments, const QByteArray& input) const {
        return runHost(QStringList{QStringLiteral("--workspace"), workspace()} + arguments, input);
    }

    QTemporaryDir m_dir;
};

} // namespace

// The password read from standard input is stored hashed, never in plain
// text, and replaces the demo's; nothing to read is refused and the stored
// password stays.
TEST_F(HostAdminTest, SetAdminPasswordStoresItHashed) {
    const QByteArray before = settingsBytes();
    for (const QByteArray& input : {QByteArray(), QByteArray("\n")}) {
        const HostResult r = run({QStringLiteral("--set-admin-password")}, input);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("管理员密码不能为空"))) << r.err.toStdString();
        EXPECT_EQ(settingsBytes(), before);
    }
    const HostResult r = run({QStringLiteral("--set-admin-password")}, "Neu-Passwort 9\n");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(settingsBytes().contains("Neu-Passwort"));
    EXPECT_TRUE(AdminPassword::isHashed(storedAdmin()));
    EXPECT_TRUE(AdminPassword::matches(QStringLiteral("Neu-Passwort 9"), storedAdmin()));
    EXPECT_FALSE(AdminPassword::matches(QStringLiteral("quill-admin"), storedAdmin()));
}

// "--show setup" opens the set-up dialog through the About box with the
// password from standard input and draws the dialog.
TEST_F(HostAdminTest, ShowSetupDrawsTheDialog) {
    const QString png = m_dir.filePath(QStringLiteral("setup.png"));
    const HostResult r =
        run({QStringLiteral("--show"), QStringLiteral("setup"), QStringLiteral("--snapshot"), png},
            "quill-admin\n");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage setup(png);
    ASSERT_FALSE(setup.isNull());
    const QString aboutPng = m_dir.filePath(QStringLiteral("about.png"));
    ASSERT_EQ(run({QStringLiteral("--show"), QStringLiteral("about"), QStringLiteral("--snapshot"),
                   aboutPng},
                  QByteArray())
                  .exitCode,
              0);
    EXPECT_NE(QImage(aboutPng).size(), setup.size());
}
