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
        m_path = m_dir.filePath("quill.ini");
    }
    QTemporaryDir m_dir;
    QString m_path;
};

TEST_F(SettingsFileTest, KeysAndValuesRoundTripExactly) {
    const QStringList keys = {
        "工资管理 0", "ADDDLL-工资管理", "GZB-sumAMOUNT", " 0",        "trailing ",
        "a=b",        ";semicolon",      "#hash",         "[bracket]", "back\\slash\\",
        "two\nlines"};
    const QStringList values = {"a,b,,c",
                                "\"double\" and 'single'",
                                "  blanks at both ends  ",
                                "=",
                                QString(),
                                "x=y=z",
                                "C:\\new\\table\\s",
                                "line one\nline two\r\n",
                                "\ttab\t",
                                "; not a comment",
                                "[not a section]",
                                "中文 混合 Latin　全角空格　",
                                "&#10; &#38; &#; &# &#1114112; &#65;&",
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
    EXPECT_EQ(reread.keys("S0"), keys);

    // The file stays readable: plain keys are written as they are.
    const QString text = QString::fromUtf8(readAll(m_path));
    EXPECT_TRUE(text.contains("\n工资管理 0=a,b,,c\n"));
    EXPECT_TRUE(text.contains("\nADDDLL-工资管理=\"double\" and 'single'\n"));
    EXPECT_TRUE(text.contains("\nGZB-sumAMOUNT=&#32;&#32;blanks at both ends&#32;&#32;\n"));
    EXPECT_TRUE(text.contains("\nback\\slash\\=C:\\new\\table\\s\n"));
    EXPECT_TRUE(text.contains("\ntwo&#10;lines=line one&#10;line two&#13;&#10;\n"));
    EXPECT_TRUE(text.contains("\n[S0]\n"));
}

TEST_F(SettingsFileTest, AbsentFileSectionAndKeyReadEmpty) {
    SettingsFile file(m_path);
    EXPECT_EQ(file.value("QUILL", "x"), QString());
    EXPECT_FALSE(file.contains("QUILL", "x"));
    EXPECT_FALSE(QFile::exists(m_path));

    file.write("QUILL", "x", "1");
    EXPECT_EQ(file.value("OTHER", "x"), QString());
    EXPECT_EQ(file.value("QUILL", "y"), QString());

    SettingsFile folder(m_dir.path()); // a folder, not a file
    EXPECT_EQ(folder.value("QUILL", "x"), QString());
    EXPECT_THROW(folder.write("QUILL", "x", "1"), SettingsError);
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
    EXPECT_EQ(file.value(QString(), "top"), "before any section");
    EXPECT_EQ(file.value("QUILL", "工资管理 0"), "YES");
    EXPECT_EQ(file.value("quill", "工资管理menu"), "添加删除");
    EXPECT_EQ(file.value("COLUMN", "gzb-ok"), "OK");
    EXPECT_FALSE(file.contains("QUILL", "this line is broken"));

    file.write("QUILL", "工资管理TXT", "NO");
    file.write("COLUMN", "GZB-OK", "OK2");
    file.write("PRINT", "月报.Zoom", "80");

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
    writer.write("QUILL", "k", "one");
    EXPECT_EQ(reader.value("QUILL", "k"), "one");
    writer.write("QUILL", "k", "two");
    EXPECT_EQ(reader.value("QUILL", "k"), "two");

    // Edited in place by someone else, same size.
    writeAll(m_path, "[QUILL]\nk=six\n");
    EXPECT_EQ(reader.value("QUILL", "k"), "six");

    // A write starts from what is on disk, not from an older reading.
    writeAll(m_path, "[QUILL]\nk=six\nother=kept\n");
    reader.write("QUILL", "k", "seven");
    EXPECT_EQ(SettingsFile(m_path).value("QUILL", "other"), "kept");

    QFile::remove(m_path);
    EXPECT_EQ(reader.value("QUILL", "k"), QString());
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
        {"path", "C:\\new\\table\\s"}, {"lines", "line one\nline two\r\n"},
        {"edges", "  blanks\t"},       {"a=b", "x=y"},
        {";semicolon", "1"},           {" 0", "blank key"}};
    for (int pass = 0; pass < 2; ++pass) {
        SettingsFile file(m_path);
        for (const auto& [key, value] : expected)
            EXPECT_EQ(file.value("QUILL", key), value)
                << "pass " << pass << ": " << key.toStdString();
        // Rewritten by this version, the old entries keep their values.
        file.write("QUILL", "new", "1");
    }
}

// Paths typed by hand keep every backslash, whether the file was made by hand
// or written by the program before.
TEST_F(SettingsFileTest, HandTypedValuesReadAsTyped) {
    const QStringList typed = {"D:\\suite\\new\\tools\\rsgl.exe", "\\\\server\\share\\new\\s",
                               "C:\\temp\\", "a \\t b \\s c", "&amp; &#x41; & #10;"};
    const QStringList typedInWrittenFile = typed + QStringList{"D:\\new\\rates", "C:\\\\double"};
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
            EXPECT_EQ(settings.value("HAND", QStringLiteral("v%1").arg(i)), values[i]);
        // and so they stay when the program writes the file again.
        settings.write("QUILL", "k", "v");
        SettingsFile reread(m_path);
        for (int i = 0; i < values.size(); ++i)
            EXPECT_EQ(reread.value("HAND", QStringLiteral("v%1").arg(i)), values[i]);
    };
    check(typed);
    QFile::remove(m_path);
    SettingsFile(m_path).write("QUILL", "first", "line one\nline two");
    check(typedInWrittenFile);
}

TEST_F(SettingsFileTest, SectionHeaderMayCarryAComment) {
    writeAll(m_path, "[QUILL] ; 注释\n"
                     "k=v\n"
                     "[odd]name] # note\n"
                     "k=w\n");
    SettingsFile file(m_path);
    EXPECT_EQ(file.value("QUILL", "k"), "v");
    EXPECT_EQ(file.value("odd]name", "k"), "w");
}

// Texts a rewrite once changed: a key starting with a byte-order mark was
// taken for the file's own mark, a trailing carriage return for a line end.
TEST_F(SettingsFileTest, MarksAndLineEndsInsideTextsSurviveRewrites) {
    const QString bom(QChar(0xFEFF));
    const std::vector<std::pair<QString, QString>> entries = {
        {bom + QStringLiteral("key"), "bom key"},
        {"cr", "ends in\r"},
        {"crs", "\r\r"},
        {"bomvalue", bom + QStringLiteral("v") + bom}};
    // A file with Windows line ends whose value ends in a carriage return.
    writeAll(m_path, "typed=ends in\r\r\n");
    for (int round = 0; round < 3; ++round) {
        SettingsFile file(m_path);
        for (const auto& [key, value] : entries)
            file.setValue(QString(), key, value);
        file.setValue(QString(), "round", QString::number(round));
        file.save();
        SettingsFile reread(m_path);
        EXPECT_EQ(reread.keys(QString()).size(), qsizetype(entries.size() + 2)) << round;
        EXPECT_EQ(reread.value(QString(), "typed"), "ends in\r");
        for (const auto& [key, value] : entries)
            EXPECT_EQ(reread.value(QString(), key), value) << round;
    }
}

TEST_F(SettingsFileTest, EntriesBeforeAnySectionStayBelowTheFormatLine) {
    const QString path = "D:\\new\\rates";
    SettingsFile(m_path).write("QUILL", "k", path);
    SettingsFile(m_path).write(QString(), "top", path);
    SettingsFile reread(m_path);
    EXPECT_EQ(reread.value(QString(), "top"), path);
    EXPECT_EQ(reread.value("QUILL", "k"), path);
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
    file.write("QUILL", "k", "old");
    file.write("QUILL", "m", "kept");
    const QByteArray before = readAll(m_path);

    QString message;
    {
        FileSizeLimit limit(4096);
        try {
            file.write("QUILL", "k", QString(100000, u'x'));
        } catch (const SettingsError& e) {
            message = e.message();
        }
    }
    EXPECT_TRUE(message.contains(m_path)) << message.toStdString();
    EXPECT_EQ(readAll(m_path), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"quill.ini"});
    // The failed change is not kept in memory either.
    EXPECT_EQ(file.value("QUILL", "k"), "old");
    file.write("QUILL", "k", "new");
    EXPECT_EQ(SettingsFile(m_path).value("QUILL", "k"), "new");
    EXPECT_EQ(file.value("QUILL", "m"), "kept");
}

TEST_F(SettingsFileTest, SuiteLibReadsAndWritesThroughItsFolder) {
    SuiteLib& lib = SuiteLib::instance();
    lib.reset();
    lib.SettingsFolder = m_dir.filePath("conf");
    lib.SettingsFileName = "quill.ini";
    const QString windowsStyle = lib.SettingsFolder + QStringLiteral("\\quill.ini");

    EXPECT_EQ(lib.ReadSetting("QUILL", "工资管理", windowsStyle), QString());
    lib.WriteSetting("QUILL", "工资管理", "-010203040506070809101112", windowsStyle);
    EXPECT_TRUE(QFile::exists(lib.settingsPath()));
    EXPECT_EQ(lib.ReadSetting("QUILL", "工资管理", lib.settingsPath()),
              "-010203040506070809101112");
    EXPECT_EQ(lib.ReadSetting2("QUILL", "工资管理", lib.settingsPath()),
              "-010203040506070809101112");
    EXPECT_EQ(lib.ReadSetting("QUILL", "k", QString()), QString());
    EXPECT_THROW(lib.WriteSetting("QUILL", "k", "v", QString()), SettingsError);
    lib.reset();
}

} // namespace
} // namespace quill
