#include "suite/AdminPassword.h"
#include "suite/SettingsFile.h"
#include "suite/SuiteLib.h"

#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>

using namespace quill;

namespace {

// A settings file of its own in SuiteLib, read back as bytes.
class AdminPasswordTest : public testing::Test {
protected:
    void SetUp() override {
        SuiteLib& lib = SuiteLib::instance();
        lib.reset();
        lib.SettingsFolder = m_dir.path();
        lib.SettingsFileName = QStringLiteral("quill.ini");
    }
    void TearDown() override { SuiteLib::instance().reset(); }

    static QByteArray fileBytes() {
        QFile f(SuiteLib::instance().settingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QString stored() {
        return SettingsFile(SuiteLib::instance().settingsPath())
            .value(AdminPassword::Section, AdminPassword::Key);
    }
    static void storePlain(const QString& value) {
        SuiteLib& lib = SuiteLib::instance();
        lib.WriteSetting(QStringLiteral("QUILL"), QStringLiteral("ADMIN"), value,
                         lib.settingsPath());
    }

    QTemporaryDir m_dir;
};

} // namespace

// The stored form: scheme, iteration count, a fresh salt each time, and no
// trace of the password; only the password itself matches it. (A low count
// keeps the many comparisons quick; the default is checked on its own.)
TEST_F(AdminPasswordTest, HashedFormMatchesOnlyThePassword) {
    EXPECT_THAT(AdminPassword::hashed(QStringLiteral("x")).toStdString(),
                testing::StartsWith("PBKDF2-SHA256$120000$"));
    const QString password = QStringLiteral("管理员Secret#1");
    const QString a = AdminPassword::hashed(password, 1000);
    const QString b = AdminPassword::hashed(password, 1000);
    EXPECT_TRUE(AdminPassword::isHashed(a));
    EXPECT_THAT(a.toStdString(), testing::StartsWith("PBKDF2-SHA256$1000$"));
    EXPECT_EQ(a.split(u'$').size(), 4);
    EXPECT_NE(a, b);
    EXPECT_FALSE(a.contains(password));
    EXPECT_TRUE(AdminPassword::matches(password, a));
    EXPECT_TRUE(AdminPassword::matches(password, b));
    for (const char* wrong : {"", "x", "管理员Secret#2", "管理员Secret#", "管理员Secret#11",
                              "理员Secret#1", "管理员secret#1", "PBKDF2-SHA256"}) {
        SCOPED_TRACE(wrong);
        EXPECT_FALSE(AdminPassword::matches(QString::fromUtf8(wrong), a));
    }
}

// A stored value in the older plain form matches exactly itself; a value
// that claims the hashed form but is damaged matches nothing.
TEST_F(AdminPasswordTest, PlainAndDamagedValues) {
    EXPECT_FALSE(AdminPassword::isHashed(QStringLiteral("abc")));
    EXPECT_TRUE(AdminPassword::matches(QStringLiteral("abc"), QStringLiteral("abc")));
    EXPECT_FALSE(AdminPassword::matches(QStringLiteral("abd"), QStringLiteral("abc")));
    EXPECT_FALSE(AdminPassword::matches(QStringLiteral("abcd"), QStringLiteral("abc")));
    EXPECT_FALSE(AdminPassword::matches(QStringLiteral("ABC"), QStringLiteral("abc")));

    const QStringList good = AdminPassword::hashed(QStringLiteral("pw"), 1000).split(u'$');
    ASSERT_TRUE(AdminPassword::matches(QStringLiteral("pw"), good.join(u'$')));
    auto with = [&](int field, const QString& value) {
        QStringList parts = good;
        parts[field] = value;
        return parts.join(u'$');
    };
    for (const QString& damaged :
         {with(1, QStringLiteral("0")), with(1, QStringLiteral("-5")),
          with(1, QStringLiteral("99999999999")), with(1, QStringLiteral("x")), with(2, QString()),
          with(3, QStringLiteral("AAAA")), with(1, QStringLiteral("2000")),
          good.mid(0, 3).join(u'$'), good.join(u'$') + QStringLiteral("$x")}) {
        SCOPED_TRACE(damaged.toStdString());
        EXPECT_FALSE(AdminPassword::matches(QStringLiteral("pw"), damaged));
        EXPECT_FALSE(AdminPassword::matches(damaged, damaged));
    }
}

// Set through the settings file: never in plain text there, right and wrong
// entries told apart, and nothing stored means not set.
TEST_F(AdminPasswordTest, SetAndCheckThroughTheSettingsFile) {
    EXPECT_FALSE(AdminPassword::isSet());
    EXPECT_EQ(AdminPassword::check(QStringLiteral("any")), AdminPassword::Check::NotSet);

    const QString password = QStringLiteral("quill-管理-2026");
    AdminPassword::set(password);
    EXPECT_TRUE(AdminPassword::isSet());
    const QByteArray bytes = fileBytes();
    EXPECT_FALSE(bytes.contains(password.toUtf8()));
    EXPECT_FALSE(bytes.contains(QByteArrayLiteral("quill-")));
    EXPECT_TRUE(AdminPassword::isHashed(stored()));

    EXPECT_EQ(AdminPassword::check(QStringLiteral("quill-管理-2027")), AdminPassword::Check::Wrong);
    EXPECT_EQ(AdminPassword::check(password), AdminPassword::Check::Right);
    // A right entry of the hashed form leaves the file as it was.
    EXPECT_EQ(fileBytes(), bytes);
}

// The older plain form is accepted once and then stands hashed in the file;
// a wrong entry leaves it as it was.
TEST_F(AdminPasswordTest, PlainValueIsRewrittenHashedAfterARightEntry) {
    storePlain(QStringLiteral("old-admin"));
    EXPECT_EQ(AdminPassword::check(QStringLiteral("old-admiN")), AdminPassword::Check::Wrong);
    EXPECT_EQ(stored(), QStringLiteral("old-admin"));

    EXPECT_EQ(AdminPassword::check(QStringLiteral("old-admin")), AdminPassword::Check::Right);
    EXPECT_TRUE(AdminPassword::isHashed(stored()));
    EXPECT_FALSE(fileBytes().contains("old-admin"));
    const QString rewritten = stored();
    EXPECT_EQ(AdminPassword::check(QStringLiteral("old-admin")), AdminPassword::Check::Right);
    EXPECT_EQ(stored(), rewritten);
}
