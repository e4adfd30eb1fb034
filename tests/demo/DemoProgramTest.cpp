#include "TestDatabase.h"

#include <QDir>
#include <QProcess>

#include <gmock/gmock.h>

using namespace quill;
using namespace quill::test;
using ::testing::HasSubstr;

namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

ProgramRun quillDemo(const QStringList& arguments) {
    QProcess p;
    p.start(QStringLiteral(QUILL_DEMO_PROGRAM), arguments);
    ProgramRun run;
    if (!p.waitForFinished(120000))
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput()).toStdString();
    run.err = QString::fromUtf8(p.readAllStandardError()).toStdString();
    return run;
}

} // namespace

class DemoProgramTest : public EngineTest {
protected:
    QStringList target() const {
        if (GetParam() == Engine::Pg)
            return {"--pg", m_pgConnInfo};
        return {};
    }
    void SetUp() override {
        EngineTest::SetUp();
        if (!IsSkipped())
            m_pgConnInfo = db().config().toPgConnInfo();
    }

private:
    QString m_pgConnInfo;
};

// The program makes a workspace of the size asked, lists it, and refuses a
// second run with a message and a failing exit code.
TEST_P(DemoProgramTest, CreatesListsAndRefuses) {
    const QString ws = db().folder() + "/ws";
    const QStringList sized{"--employees", "7", "--periods", "2", "--seed", "3"};
    const ProgramRun first = quillDemo(QStringList{"--workspace", ws} + target() + sized);
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_THAT(first.out, HasSubstr("YGZL     7 行"));
    EXPECT_THAT(first.out, HasSubstr("GZB      14 行"));
    EXPECT_THAT(first.out, HasSubstr("suite.conf"));

    const ProgramRun again = quillDemo(QStringList{"--workspace", ws} + target() + sized);
    EXPECT_NE(again.exitCode, 0);
    EXPECT_THAT(again.err, HasSubstr("工作区已存在"));

    const ProgramRun show = quillDemo({"--workspace", ws, "--show"});
    ASSERT_EQ(show.exitCode, 0) << show.err;
    EXPECT_THAT(show.out, HasSubstr("GZB      14 行"));
}

TEST_P(DemoProgramTest, RefusesBadOptions) {
    const QString ws = db().folder() + "/bad";
    for (const QStringList& args :
         {QStringList{"--workspace", ws, "--periods", "0"},
          QStringList{"--workspace", ws, "--employees", "many"}, QStringList{"--employees", "5"},
          QStringList{"--workspace", ws, "--show"}}) {
        const ProgramRun run = quillDemo(args + target());
        EXPECT_NE(run.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_FALSE(run.err.empty());
        EXPECT_FALSE(QDir(ws).exists()) << args.join(' ').toStdString();
    }
}

QUILL_INSTANTIATE_ENGINES(DemoProgramTest);
