#include "demo/DemoWorkspace.h"
#include "TestDatabase.h"
#include "demo/DemoError.h"
#include "demo/DemoReports.h"
#include "demo/DemoSchema.h"
#include "demo/DemoSheets.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/grid/WorkbookReader.h"
#include "suite/SettingsFile.h"
#include "suite/SuiteConfig.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <gmock/gmock.h>

using namespace quill;
using namespace quill::test;

namespace {

DemoOptions small() {
    DemoOptions o;
    o.employees = 12;
    o.periods = 2;
    o.photos = 5;
    return o;
}

// The connection the workspace itself names.
ConnectionConfig configured(const QString& folder) {
    return SuiteConfig::load(folder).connectionConfig();
}

QStringList column(Connection& c, const QString& sql, const char* field) {
    Recordset rs;
    rs.Open(sql, c);
    QStringList out;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const QVariant v = rs.Value(QString::fromLatin1(field));
        out << (v.isNull() ? "<null>" : v.toString());
    }
    return out;
}

} // namespace

class DemoWorkspaceTest : public EngineTest {
protected:
    // The workspace on this test's engine: its own SQLite file, or the
    // test's PostgreSQL schema.
    void create(DemoWorkspace& ws) {
        if (GetParam() == Engine::Pg)
            ws.create(small(), db().config());
        else
            ws.create(small());
    }
};

// The suite configuration names the database, folders and dates the host
// needs, and they exist.
TEST_P(DemoWorkspaceTest, ConfigurationPointsAtWhatExists) {
    DemoWorkspace ws(db().folder() + "/ws");
    create(ws);
    const SuiteConfig config = SuiteConfig::load(ws.folder());
    EXPECT_EQ(config.moduleTitle, "工资管理");
    EXPECT_EQ(config.databaseKind, GetParam() == Engine::Pg ? "2" : "1");
    EXPECT_EQ(config.currentPeriod, "2026年02月");
    EXPECT_EQ(config.date1, "2026-02-02");
    EXPECT_EQ(config.date2, "2026-02-27");
    EXPECT_EQ(config.currentDate, QDate(2026, 2, 2));
    for (const QString& f : {config.homeFolder, config.reportFolder, config.workFolder,
                             config.iconFolder, config.settingsFolder})
        EXPECT_TRUE(QFileInfo(config.resolve(f)).isDir()) << f.toStdString();
    EXPECT_TRUE(QFileInfo(config.resolve(config.workFolder) + "/log").isDir());
    EXPECT_TRUE(QFileInfo(config.resolve(config.homeFolder) + "/Log").isDir());
    EXPECT_EQ(QFileInfo::exists(ws.folder() + "/quill.db"), GetParam() == Engine::Sqlite);

    Connection c(config.connectionConfig());
    // Every module the user may start resolves to a data table of the dictionary.
    const QStringList titles =
        column(c, "select * from zdb1 where parid=1 order by proid", "proname");
    for (const QString& title : config.userMenus.split(u',', Qt::SkipEmptyParts)) {
        if (title != "工资计算") {
            EXPECT_TRUE(titles.contains(title)) << title.toStdString();
        }
    }
    EXPECT_TRUE(titles.contains(config.moduleTitle));
    // The period dialog lists the note texts in kjqs order: the periods the
    // pay rows hold, the last one current.
    const QString periods = "select * from SYS03 order by kjqs";
    EXPECT_THAT(column(c, periods, "kjqs"), testing::ElementsAre("202601", "202602"));
    EXPECT_THAT(column(c, periods, "note"), testing::ElementsAre("2026年01月", "2026年02月"));
    EXPECT_EQ(column(c, periods, "note").last(), config.currentPeriod);
    EXPECT_EQ(column(c, "select distinct zhtime from GZB order by zhtime", "zhtime"),
              column(c, periods, "note"));
    EXPECT_EQ(column(c, "select * from KQB where zhdate='" + config.date1 + "'", "memberid").size(),
              12);
}

// Pictures named by the database and the settings are there and readable.
TEST_P(DemoWorkspaceTest, PicturesExist) {
    DemoWorkspace ws(db().folder() + "/ws");
    create(ws);
    Connection c(configured(ws.folder()));
    int photos = 0;
    for (const QString& path : column(c, "select * from YGZL order by memberid", "PHOTO")) {
        if (path == "<null>")
            continue;
        ++photos;
        const QImage image(path);
        EXPECT_FALSE(image.isNull()) << path.toStdString();
        EXPECT_EQ(image.size(), QSize(120, 160));
    }
    EXPECT_EQ(photos, 5);
    QStringList icons = column(c, "select * from SYS02 order by cdxh", "cdtb");
    icons.removeAll("<null>");
    icons << "MAILM.ICO";
    for (const QString& icon : icons) {
        const QImage image(ws.iconFolder() + "/" + icon);
        EXPECT_EQ(image.size(), QSize(32, 32)) << icon.toStdString();
    }
    EXPECT_FALSE(QImage(ws.homeFolder() + "/bramble.bmp").isNull());

    SettingsFile settings(ws.homeFolder() + "/" + ws.settingsFileName());
    EXPECT_FALSE(QImage(settings.value("QUILL", "考勤管理IMAGE")).isNull());
    // The plug-ins of the pay module are registered menu entries.
    const QStringList menus = column(c, "select * from SYS02", "cdmc");
    for (const char* key : {"工资管理MENU1", "工资管理MENU2", "工资管理MENU3"})
        EXPECT_TRUE(menus.contains(settings.value("QUILL", QString::fromUtf8(key)))) << key;
    EXPECT_FALSE(menus.contains(settings.value("QUILL", "考勤管理MENU2")));
}

// The base sheet and the report's template read back; the template's first
// row carries the five parameters, its heading row the report's captions.
TEST_P(DemoWorkspaceTest, SheetsReadBack) {
    DemoWorkspace ws(db().folder() + "/ws");
    create(ws);
    EXPECT_NO_THROW(WorkbookReader::read(ws.reportFolder() + "/quill.vts"));
    int templates = 0;
    for (const DemoReport& r : DemoReports::all()) {
        const QString path = ws.reportFolder() + "/" + r.name + ".vts";
        EXPECT_EQ(QFileInfo::exists(path), r.hasTemplate) << r.name.toStdString();
        if (!r.hasTemplate)
            continue;
        ++templates;
        const Sheet sheet = WorkbookReader::read(path);
        QStringList parameters;
        for (int k = 0; k < 5; ++k)
            parameters << sheet.text(0, k);
        EXPECT_EQ(parameters, (QStringList{"4", "10", "4", "0", "0"}));
        const int heading = parameters.at(0).toInt() - 1;
        const DemoTable& table = DemoSchema::table(r.table);
        for (qsizetype c = 0; c < r.display.size(); ++c) {
            const int index = static_cast<int>(table.fields().indexOf(r.display.at(c)));
            EXPECT_EQ(sheet.text(heading, static_cast<int>(c)), table.columns.at(index).caption);
        }
        EXPECT_EQ(sheet.rowCount(), 4 + 10 + 4);
    }
    EXPECT_EQ(templates, 1);
}

// A second run on the same folder, or on the same PostgreSQL schema from
// another folder, refuses and changes nothing.
TEST_P(DemoWorkspaceTest, RefusesAnExistingWorkspace) {
    DemoWorkspace ws(db().folder() + "/ws");
    create(ws);
    const QStringList files = ws.files();
    const QString summary = ws.summary();
    EXPECT_THROW(create(ws), DemoError);
    EXPECT_EQ(ws.files(), files);
    EXPECT_EQ(ws.summary(), summary);
    if (GetParam() == Engine::Pg) {
        DemoWorkspace other(db().folder() + "/other");
        EXPECT_THROW(create(other), DemoError);
        EXPECT_FALSE(QFileInfo::exists(other.folder()));
    }
    EXPECT_THAT(summary.toStdString(), ::testing::HasSubstr("GZB"));
}

QUILL_INSTANTIATE_ENGINES(DemoWorkspaceTest);
