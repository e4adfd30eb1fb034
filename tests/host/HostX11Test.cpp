#include "HostRun.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

namespace quill {
namespace {

// The titles of the top-level windows shown on the display as the X server
// holds them (_NET_WM_NAME), read with xwininfo and xprop.
QStringList windowTitles() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    const auto output = [&env](const QString& program, const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        p.waitForFinished(10000);
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    static const QRegularExpression window(QStringLiteral("^\\s+(0x[0-9a-f]+) "),
                                           QRegularExpression::MultilineOption);
    static const QRegularExpression name(QStringLiteral("= \"(.*)\"$"));
    QStringList titles;
    const QString tree =
        output(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-children")});
    for (const QRegularExpressionMatch& m : window.globalMatch(tree)) {
        const QString id = m.captured(1);
        if (!output(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id})
                 .contains(QStringLiteral("IsViewable")))
            continue;
        const QRegularExpressionMatch title =
            name.match(output(QStringLiteral("xprop"),
                              {QStringLiteral("-id"), id, QStringLiteral("_NET_WM_NAME")})
                           .trimmed());
        if (title.hasMatch())
            titles << title.captured(1);
    }
    return titles;
}

class HostX11Test : public ::testing::Test {
protected:
    void SetUp() override {
        QString missing;
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            missing = QStringLiteral("no X display (run under xvfb-run)");
        for (const char* tool : {"xwininfo", "xprop"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                missing = QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
        }
        if (missing.isEmpty())
            return;
        if (qEnvironmentVariable("CI") == QLatin1String("true"))
            FAIL() << missing.toStdString();
        GTEST_SKIP() << missing.toStdString();
    }
    void TearDown() override {
        if (m_host.state() != QProcess::NotRunning) {
            m_host.kill();
            m_host.waitForFinished();
        }
    }

    // Starts the host and waits until a window titled `title` is on the
    // display; the titles seen then.
    QStringList titlesOnceShown(const QStringList& arguments, const QString& title) {
        HostRun::start(m_host, arguments);
        QElapsedTimer clock;
        clock.start();
        QStringList titles;
        while (clock.elapsed() < 60000 && m_host.state() != QProcess::NotRunning) {
            titles = windowTitles();
            if (titles.contains(title))
                break;
            QThread::msleep(200);
        }
        return titles;
    }

    QProcess m_host;
};

// The module's title is the window's title, exactly: given by --title, which
// the toolkit on X11 would otherwise take for its own, and with nothing
// appended.
TEST_F(HostX11Test, MainWindowTitleIsTheModuleTitleExactly) {
    const QString title = QStringLiteral("人事档案");
    const QStringList titles = titlesOnceShown({QStringLiteral("--title"), title}, title);
    EXPECT_TRUE(titles.contains(title)) << titles.join(QStringLiteral(" | ")).toStdString();
}

TEST_F(HostX11Test, OtherWindowsAndMessagesKeepTheirTitlesExactly) {
    struct Case {
        QStringList arguments;
        QString title;
    };
    const std::vector<Case> cases = {
        {{QStringLiteral("--show"), QStringLiteral("about")}, QStringLiteral("关于 QUILL")},
        // A message without a title of its own carries the module's name.
        {{QStringLiteral("--title"), QStringLiteral("没有的表")}, QStringLiteral("QUILL")},
    };
    for (const Case& c : cases) {
        const QStringList titles = titlesOnceShown(c.arguments, c.title);
        EXPECT_TRUE(titles.contains(c.title)) << titles.join(QStringLiteral(" | ")).toStdString();
        for (const QString& t : titles)
            EXPECT_FALSE(t.endsWith(QStringLiteral(" — QUILL"))) << t.toStdString();
        TearDown();
    }
}

} // namespace
} // namespace quill
