#include "suite/SettingsFile.h"
#include "suite/SettingsError.h"
#include "suite/SuiteLib.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <ostream>
#include <sys/resource.h>
#include <utility>
#include <vector>

// Failures show texts, not their UTF-16 bytes.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace quill {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("quill.ini"));
    }
    QTemporaryDir m_dir;
    QString m_path;
};

TEST_F(SettingsFileTest, KeysAndValuesRoundTripExactly) {
    const QStringList keys = {QStringLiteral("工资管理 0"),    QStringLiteral("ADDDLL-工资管理"),
                              QStringLiteral("GZB-sumAMOUNT"), QStringLiteral(" 0"),
                              QStringLiteral("trailing "),     QStringLiteral("a=b"),
                              QStringLiteral(";semicolon"),    QStringLiteral("#hash"),
                              QStringLiteral("[bracket]"),     QStringLiteral("back\\slash\\"),
                              QStringLiteral("two\nlines")};
    const QStringList values = {QStringLiteral("a,b,,c"),
                                QStringLiteral("\"double\" and 'single'"),
                                QStringLiteral("  blanks at both ends  "),
                                QStringLiteral("="),
                                QString(),
                                QStringLiteral("x=y=z"),
                                QStringLiteral("C:\\new\\table\\s"),
                                QStringLiteral("line one\nline two\r\n"),
                                QStringLiteral("\ttab\t"),
                                QStringLiteral("; not a comment"),
                                QStringLiteral("[not a section]"),
                                QStringLiteral("中文 混合 Latin　全角空格　"),
                                QStringLiteral("&#10; &#38; &#; &# &#1114112; &#65;&"),
                                QString(5000, QLatin1Char('x'))};
    {
        SettingsFile file(m_path);
        for (const QString& key : keys) {
            for (int v = 0; v < values.size(); ++v)
                file.setValue(QStringLiteral("S%1").arg(v), key, values[v]);
        }
        file.save();
    }
    SettingsFile reread(m_path);
    for (const QString& key : keys) {
        for (int v = 0; v < values.size(); ++v) {
            const QString section = QStringLiteral("S%1").arg(v);
            EXPECT_TRUE(reread.contains(section, key)) << key.toStdString();
            EXPECT_EQ(reread.value(section, key), values[v]) << key.toStdString() << " / " << v;
        }
    }
    EXPECT_EQ(reread.keys(QStringLiteral("S0")), keys);

    // The file stays readable: plain keys are written as they are.
    const QString text = QString::fromUtf8(readAll(m_path));
    EXPECT_TRUE(text.contains(QStringLiteral("\n工资管理 0=a,b,,c\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nADDDLL-工资管理=\"double\" and 'single'\n")));
    EXPECT_TRUE(
        text.contains(QStringLiteral("\nGZB-sumAMOUNT=&#32;&#32;blanks at both ends&#32;&#32;\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nback\\slash\\=C:\\new\\table\\s\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\ntwo&#10;lines=line one&#10;line two&#13;&#10;\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\n[S0]\n")));
}

TEST_F(SettingsFileTest, AbsentFileSectionAndKeyReadEmpty) {
    SettingsFile file(m_path);
    EXPECT_EQ(file.value(QStringLiteral("QUILL"), QStringLiteral("x")), QString());
    EXPECT_FALSE(file.contains(QStringLiteral("QUILL"), QStringLiteral("x")));
    EXPECT_FALSE(QFile::exists(m_path));

    file.write(QStringLiteral("QUILL"), QStringLiteral("x"), QStringLiteral("1"));
    EXPECT_EQ(file.value(QStringLiteral("OTHER"), QStringLiteral("x")), QString());
    EXPECT_EQ(file.value(QStringLiteral("QUILL"), QStringLiteral("y")), QString());

    SettingsFile folder(m_dir.path()); // a folder, not a file
    EXPECT_EQ(folder.value(QStringLiteral("QUILL"), QStringLiteral("x")), QString());
    EXPECT_THROW(folder.write(QStringLiteral("QUILL"), QStringLiteral("x"), QStringLiteral("1")),
                 SettingsError);
}

TEST_F(SettingsFileTest, HandEditedFileIsReadAndKeptOnRewrite) {
    const QByteArray original = "\xEF\xBB\xBF"
                                "; settings of the pay module\r\n"
                                "top=before any section\n"
                                "\n"
                                "[QUILL]\n"
                                "  工资管理 0 = YES  \n"
                                "# the menu entries\n"
                                "this line is broken\n"
                                "[half a section\n"
                                "工资管理MENU=添加删除\n"
                                "工资管理MENU=second copy loses\n"
                                "\n"
                                "[COLUMN]\n"
                                "GZB-OK=OK\n"
                                "\n";
    writeAll(m_path, original);
    SettingsFile file(m_path);
    EXPECT_EQ(file.value(QString(), QStringLiteral("top")), QStringLiteral("before any section"));
    EXPECT_EQ(file.value(QStringLiteral("QUILL"), QStringLiteral("工资管理 0")),
              QStringLiteral("YES"));
    EXPECT_EQ(file.value(QStringLiteral("quill"), QStringLiteral("工资管理menu")),
              QStringLiteral("添加删除"));
    EXPECT_EQ(file.value(QStringLiteral("COLUMN"), QStringLiteral("gzb-ok")), QStringLiteral("OK"));
    EXPECT_FALSE(file.contains(QStringLiteral("QUILL"), QStringLiteral("this line is broken")));

    file.write(QStringLiteral("QUILL"), QStringLiteral("工资管理TXT"), QStringLiteral("NO"));
    file.write(QStringLiteral("COLUMN"), QStringLiteral("GZB-OK"), QStringLiteral("OK2"));
    file.write(QStringLiteral("PRINT"), QStringLiteral("月报.Zoom"), QStringLiteral("80"));

    const QByteArray expected = "; QUILL 设置文件，&#N; 为编号 N 的字符（如 &#10; 为换行）\n"
                                "; settings of the pay module\n"
                                "top=before any section\n"
                                "\n"
                                "[QUILL]\n"
                                "  工资管理 0 = YES  \n"
                                "# the menu entries\n"
                                "this line is broken\n"
                                "[half a section\n"
                                "工资管理MENU=添加删除\n"
                                "工资管理MENU=second copy loses\n"
                                "工资管理TXT=NO\n"
                                "\n"
                                "[COLUMN]\n"
                                "GZB-OK=OK2\n"
                                "\n"
                                "[PRINT]\n"
                                "月报.Zoom=80\n";
    EXPECT_EQ(readAll(m_path), expected);
}

TEST_F(SettingsFileTest, ChangesOnDiskAreSeenByEveryReader) {
    SettingsFile reader(m_path);
    SettingsFile writer(m_path);
    writer.write(QStringLiteral("QUILL"), QStringLiteral("k"), QStringLiteral("one"));
    EXPECT_EQ(reader.value(QStringLiteral("QUILL"), QStringLiteral("k")), QStringLiteral("one"));
    writer.write(QStringLiteral("QUILL"), QStringLiteral("k"), QStringLiteral("two"));
    EXPECT_EQ(reader.value(QStringLiteral("QUILL"), QStringLiteral("k")), QStringLiteral("two"));

    // Edited in place by someone else, same size.
    writeAll(m_path, "[QUILL]\nk=six\n");
    EXPECT_EQ(reader.value(QStringLiteral("QUILL"), QStringLiteral("k")), QStringLiteral("six"));

    // A write starts from what is on disk, not from an older reading.
    writeAll(m_path, "[QUILL]\nk=six\nother=kept\n");
    reader.write(QStringLiteral("QUILL"), QStringLiteral("k"), QStringLiteral("seven"));
    EXPECT_EQ(SettingsFile(m_path).value(QStringLiteral("QUILL"), QStringLiteral("other")),
              QStringLiteral("kept"));

    QFile::remove(m_path);
    EXPECT_EQ(reader.value(QStringLiteral("QUILL"), QStringLiteral("k")), QString());
}

// What the earlier version of this file's writer produced (backslash escapes,
// no header line) still reads as it was meant.
TEST_F(SettingsFileTest, FilesOfTheEarlierFormatReadTheSame) {
    writeAll(m_path, "[QUILL]\n"
                     "path=C:\\\\new\\\\table\\\\s\n"
                     "lines=line one\\nline two\\r\\n\n"
                     "edges=\\s\\sblanks\\t\n"
                     "a\\=b=x=y\n"
                     "\\;semicolon=1\n"
                     "\\s0=blank key\n");
    const std::vector<std::pair<QString, QString>> expected = {
        {QStringLiteral("path"), QStringLiteral("C:\\new\\table\\s")},
        {QStringLiteral("lines"), QStringLiteral("line one\nline two\r\n")},
        {QStringLiteral("edges"), QStringLiteral("  blanks\t")},
        {QStringLiteral("a=b"), QStringLiteral("x=y")},
        {QStringLiteral(";semicolon"), QStringLiteral("1")},
        {QStringLiteral(" 0"), QStringLiteral("blank key")}};
    for (int pass = 0; pass < 2; ++pass) {
        SettingsFile file(m_path);
        for (const auto& [key, value] : expected)
            EXPECT_EQ(file.value(QStringLiteral("QUILL"), key), value)
                << "pass " << pass << ": " << key.toStdString();
        // Rewritten by this version, the old entries keep their values.
        file.write(QStringLiteral("QUILL"), QStringLiteral("new"), QStringLiteral("1"));
    }
}

// Paths typed by hand keep every backslash, whether the file was made by hand
// or written by the program before.
TEST_F(SettingsFileTest, HandTypedValuesReadAsTyped) {
    const QStringList typed = {QStringLiteral("D:\\suite\\new\\tools\\rsgl.exe"),
                               QStringLiteral("\\\\server\\share\\new\\s"),
                               QStringLiteral("C:\\temp\\"), QStringLiteral("a \\t b \\s c"),
                               QStringLiteral("&amp; &#x41; & #10;")};
    const QStringList typedInWrittenFile =
        typed + QStringList{QStringLiteral("D:\\new\\rates"), QStringLiteral("C:\\\\double")};
    const auto check = [this](const QStringList& values) {
        QByteArray text;
        for (int i = 0; i < values.size(); ++i)
            text += QStringLiteral("v%1 = %2\n").arg(i).arg(values[i]).toUtf8();
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("[HAND]\n" + text);
        file.close();
        SettingsFile settings(m_path);
        for (int i = 0; i < values.size(); ++i)
            EXPECT_EQ(settings.value(QStringLiteral("HAND"), QStringLiteral("v%1").arg(i)),
                      values[i]);
        // and so they stay when the program writes the file again.
        settings.write(QStringLiteral("QUILL"), QStringLiteral("k"), QStringLiteral("v"));
        SettingsFile reread(m_path);
        for (int i = 0; i < values.size(); ++i)
            EXPECT_EQ(reread.value(QStringLiteral("HAND"), QStringLiteral("v%1").arg(i)),
                      values[i]);
    };
    check(typed);
    QFile::remove(m_path);
    SettingsFile(m_path).write(QStringLiteral("QUILL"), QStringLiteral("first"),
                               QStringLiteral("line one\nline two"));
    check(typedInWrittenFile);
}

TEST_F(SettingsFileTest, SectionHeaderMayCarryAComment) {
    writeAll(m_path, "[QUILL] ; 注释\n"
                     "k=v\n"
                     "[odd]name] # note\n"
                     "k=w\n");
    SettingsFile file(m_path);
    EXPECT_EQ(file.value(QStringLiteral("QUILL"), QStringLiteral("k")), QStringLiteral("v"));
    EXPECT_EQ(file.value(QStringLiteral("odd]name"), QStringLiteral("k")), QStringLiteral("w"));
}

// Texts a rewrite once changed: a key starting with a byte-order mark was
// taken for the file's own mark, a trailing carriage return for a line end.
TEST_F(SettingsFileTest, MarksAndLineEndsInsideTextsSurviveRewrites) {
    const QString bom(QChar(0xFEFF));
    const std::vector<std::pair<QString, QString>> entries = {
        {bom + QStringLiteral("key"), QStringLiteral("bom key")},
        {QStringLiteral("cr"), QStringLiteral("ends in\r")},
        {QStringLiteral("crs"), QStringLiteral("\r\r")},
        {QStringLiteral("bomvalue"), bom + QStringLiteral("v") + bom}};
    // A file with Windows line ends whose value ends in a carriage return.
    writeAll(m_path, "typed=ends in\r\r\n");
    for (int round = 0; round < 3; ++round) {
        SettingsFile file(m_path);
        for (const auto& [key, value] : entries)
            file.setValue(QString(), key, value);
        file.setValue(QString(), QStringLiteral("round"), QString::number(round));
        file.save();
        SettingsFile reread(m_path);
        EXPECT_EQ(reread.keys(QString()).size(), qsizetype(entries.size() + 2)) << round;
        EXPECT_EQ(reread.value(QString(), QStringLiteral("typed")), QStringLiteral("ends in\r"));
        for (const auto& [key, value] : entries)
            EXPECT_EQ(reread.value(QString(), key), value) << round;
    }
}

TEST_F(SettingsFileTest, EntriesBeforeAnySectionStayBelowTheFormatLine) {
    const QString path = QStringLiteral("D:\\new\\rates");
    SettingsFile(m_path).write(QStringLiteral("QUILL"), QStringLiteral("k"), path);
    SettingsFile(m_path).write(QString(), QStringLiteral("top"), path);
    SettingsFile reread(m_path);
    EXPECT_EQ(reread.value(QString(), QStringLiteral("top")), path);
    EXPECT_EQ(reread.value(QStringLiteral("QUILL"), QStringLiteral("k")), path);
}

// The file-size limit makes the write of the new contents fail for real (it
// binds root too), as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, SIG_DFL);
    }

private:
    rlimit m_old{};
};

TEST_F(SettingsFileTest, FailedWriteLeavesTheOldFileWhole) {
    SettingsFile file(m_path);
    file.write(QStringLiteral("QUILL"), QStringLiteral("k"), QStringLiteral("old"));
    file.write(QStringLiteral("QUILL"), QStringLiteral("m"), QStringLiteral("kept"));
    const QByteArray before = readAll(m_path);

    QString message;
    {
        FileSizeLimit limit(4096);
        try {
            file.write(QStringLiteral("QUILL"), QStringLiteral("k"), QString(100000, u'x'));
        } catch (const SettingsError& e) {
            message = e.message();
        }
    }
    EXPECT_TRUE(message.contains(m_path)) << message.toStdString();
    EXPECT_EQ(readAll(m_path), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("quill.ini")});
    // The failed change is not kept in memory either.
    EXPECT_EQ(file.value(QStringLiteral("QUILL"), QStringLiteral("k")), QStringLiteral("old"));
    file.write(QStringLiteral("QUILL"), QStringLiteral("k"), QStringLiteral("new"));
    EXPECT_EQ(SettingsFile(m_path).value(QStringLiteral("QUILL"), QStringLiteral("k")),
              QStringLiteral("new"));
    EXPECT_EQ(file.value(QStringLiteral("QUILL"), QStringLiteral("m")), QStringLiteral("kept"));
}

TEST_F(SettingsFileTest, SuiteLibReadsAndWritesThroughItsFolder) {
    SuiteLib& lib = SuiteLib::instance();
    lib.reset();
    lib.SettingsFolder = m_dir.filePath(QStringLiteral("conf"));
    lib.SettingsFileName = QStringLiteral("quill.ini");
    const QString windowsStyle = lib.SettingsFolder + QStringLiteral("\\quill.ini");

    EXPECT_EQ(lib.ReadSetting(QStringLiteral("QUILL"), QStringLiteral("工资管理"), windowsStyle),
              QString());
    lib.WriteSetting(QStringLiteral("QUILL"), QStringLiteral("工资管理"),
                     QStringLiteral("-010203040506070809101112"), windowsStyle);
    EXPECT_TRUE(QFile::exists(lib.settingsPath()));
    EXPECT_EQ(
        lib.ReadSetting(QStringLiteral("QUILL"), QStringLiteral("工资管理"), lib.settingsPath()),
        QStringLiteral("-010203040506070809101112"));
    EXPECT_EQ(
        lib.ReadSetting2(QStringLiteral("QUILL"), QStringLiteral("工资管理"), lib.settingsPath()),
        QStringLiteral("-010203040506070809101112"));
    EXPECT_EQ(lib.ReadSetting(QStringLiteral("QUILL"), QStringLiteral("k"), QString()), QString());
    EXPECT_THROW(lib.WriteSetting(QStringLiteral("QUILL"), QStringLiteral("k"), QStringLiteral("v"),
                                  QString()),
                 SettingsError);
    lib.reset();
}

} // namespace
} // namespace quill
