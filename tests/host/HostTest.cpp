#include "HostRun.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quill {
namespace {

// Windows of the --show table are opened from the main window and drawn; the
// main window is the default. The entry window opens only on a chosen record:
// its picture proves the report and cell clicks before the modify command.
TEST(HostTest, SnapshotDrawsTheWindowShowNames) {
    QTemporaryDir dir;
    QSize mainSize;
    for (const char* show : {"", "main", "about", "entry"}) {
        const QString png = dir.filePath(QStringLiteral("%1.png").arg(QLatin1String(show)));
        QStringList args{QStringLiteral("--snapshot"), png};
        if (*show)
            args << QStringLiteral("--show") << QLatin1String(show);
        const HostResult r = HostRun::run(args);
        EXPECT_EQ(r.exitCode, 0) << show << ": " << r.err.toStdString();
        const QImage image(png);
        ASSERT_FALSE(image.isNull()) << show;
        if (mainSize.isEmpty() || QLatin1String(show) == QLatin1String("main")) {
            EXPECT_TRUE(mainSize.isEmpty() || image.size() == mainSize) << show;
            mainSize = image.size();
        } else {
            // The window itself, not the main window behind it.
            EXPECT_LT(image.width(), mainSize.width());
            EXPECT_LT(image.height(), mainSize.height());
        }
    }
}

TEST(HostTest, UnknownWindowNameIsRefusedWithTheKnownOnes) {
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("x.png"));
    const HostResult r = HostRun::run(
        {QStringLiteral("--show"), QStringLiteral("报表"), QStringLiteral("--snapshot"), png});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("未知的窗口名 报表"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("about"))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(png));
}

// The host's options reach the host in every spelling, whatever the toolkit
// takes for its own; a title without a table ends with the module's message.
TEST(HostTest, TitleOptionReachesTheHostInEverySpelling) {
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("x.png"));
    const QList<QStringList> spellings = {
        {QStringLiteral("--title"), QStringLiteral("没有的表")},
        {QStringLiteral("--title=没有的表")},
        {QStringLiteral("-title"), QStringLiteral("没有的表")},
    };
    for (const QStringList& spelling : spellings) {
        const HostResult r =
            HostRun::run(spelling + QStringList{QStringLiteral("--snapshot"), png});
        EXPECT_EQ(r.exitCode, 1) << spelling.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("该数据表不存在")))
            << spelling.join(' ').toStdString() << ": " << r.err.toStdString();
    }
    const HostResult unknown = HostRun::run({QStringLiteral("--no-such-option")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("--no-such-option")))
        << unknown.err.toStdString();
}

} // namespace
} // namespace quill
