#include "DemoWorkspace.h"

#include "demo/DemoError.h"
#include "demo/DemoGenerator.h"
#include "demo/DemoLoader.h"
#include "demo/DemoPictures.h"
#include "demo/DemoReports.h"
#include "demo/DemoSheets.h"
#include "platform/db/Connection.h"
#include "platform/grid/GridError.h"
#include "platform/grid/WorkbookWriter.h"
#include "suite/AdminPassword.h"
#include "suite/SettingsError.h"
#include "suite/SettingsFile.h"
#include "suite/SuiteConfig.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace quill {

namespace {

void saveImage(const QImage& image, const QString& path, const char* format) {
    if (!image.save(path, format))
        throw DemoError(QStringLiteral("无法写入图片：") + path);
}

} // namespace

DemoWorkspace::DemoWorkspace(const QString& folder)
    : m_folder(QDir::cleanPath(QFileInfo(folder).absoluteFilePath())) {}

QString DemoWorkspace::homeFolder() const {
    return m_folder + QStringLiteral("/home");
}
QString DemoWorkspace::reportFolder() const {
    return m_folder + QStringLiteral("/report");
}
QString DemoWorkspace::workFolder() const {
    return m_folder + QStringLiteral("/work");
}
QString DemoWorkspace::iconFolder() const {
    return m_folder + QStringLiteral("/icon");
}
QString DemoWorkspace::photoFolder() const {
    return homeFolder() + QStringLiteral("/photo");
}

ConnectionConfig DemoWorkspace::sqliteConfig() const {
    ConnectionConfig c;
    c.engine = ConnectionConfig::Engine::Sqlite;
    c.path = m_folder + QStringLiteral("/quill.db");
    c.databaseKind = QStringLiteral("1");
    return c;
}

void DemoWorkspace::create(DemoOptions options, const std::optional<ConnectionConfig>& pg) {
    if (SuiteConfig::exists(m_folder))
        throw DemoError(QStringLiteral("工作区已存在，未做任何改动：") + m_folder);
    options.photoFolder = photoFolder();
    const DemoGenerator generator(options);
    const ConnectionConfig database = pg ? *pg : sqliteConfig();
    // The SQLite file lives in the folder; a PostgreSQL database is checked
    // before the folder is made, so a refusal leaves nothing behind.
    if (!pg && !QDir().mkpath(m_folder))
        throw DemoError(QStringLiteral("无法创建文件夹：") + m_folder);
    Connection connection(database);
    DemoLoader loader(connection);
    if (loader.hasSuiteTables()) {
        throw DemoError(QStringLiteral("数据库中已有套件的数据表（zdb1），未做任何改动：") +
                        (pg ? pg->toPgConnInfo() : database.path));
    }
    makeFolders();
    drawPictures(generator);
    loader.load(generator);
    try {
        writeSheets();
        writeSettings();
        writeConfig(generator, pg);
    } catch (const GridError& e) {
        throw DemoError(QString::fromUtf8(e.what()));
    } catch (const SettingsError& e) {
        throw DemoError(QString::fromUtf8(e.what()));
    }
}

void DemoWorkspace::writeSheets() const {
    WorkbookWriter::save(DemoSheets::baseSheet(), reportFolder() + QStringLiteral("/quill.vts"));
    for (const DemoReport& r : DemoReports::all()) {
        if (r.hasTemplate) {
            WorkbookWriter::save(DemoSheets::pagedTemplate(r),
                                 reportFolder() + u'/' + r.name + QStringLiteral(".vts"));
        }
    }
}

void DemoWorkspace::writeConfig(const DemoGenerator& generator,
                                const std::optional<ConnectionConfig>& pg) const {
    SuiteConfig config;
    if (pg) {
        config.engine = QStringLiteral("postgres");
        config.database.clear();
        config.pgConnInfo = pg->toPgConnInfo();
        config.databaseKind = QStringLiteral("2");
    } else {
        config.engine = QStringLiteral("sqlite");
        config.database = QStringLiteral("quill.db");
        config.databaseKind = QStringLiteral("1");
    }
    config.moduleTitle = QStringLiteral("工资管理");
    config.userName = QStringLiteral("管理员");
    config.operatorName = QStringLiteral("王会计");
    config.userMenus = QStringLiteral(",人事档案,工资管理,考勤管理,工资计算,");
    config.homeFolder = QStringLiteral("home");
    config.reportFolder = QStringLiteral("report");
    config.workFolder = QStringLiteral("work");
    config.iconFolder = QStringLiteral("icon");
    config.settingsFolder = QStringLiteral("home");
    config.settingsFileName = settingsFileName();
    config.currentPeriod = generator.currentPeriod();
    const QList<QDate> days = generator.attendanceDays();
    config.currentDate = days.first();
    config.date1 = days.first().toString(Qt::ISODate);
    config.date2 = days.last().toString(Qt::ISODate);
    config.registry = QStringLiteral("registry.ini");
    config.save(m_folder);
}

void DemoWorkspace::makeFolders() const {
    for (const QString& f :
         {m_folder, homeFolder(), homeFolder() + QStringLiteral("/Log"), photoFolder(),
          reportFolder(), workFolder(), workFolder() + QStringLiteral("/log"), iconFolder()}) {
        if (!QDir().mkpath(f))
            throw DemoError(QStringLiteral("无法创建文件夹：") + f);
    }
}

void DemoWorkspace::drawPictures(const DemoGenerator& generator) const {
    for (const DemoEmployee& e : generator.employees()) {
        if (!e.photo.isEmpty())
            saveImage(DemoPictures::photo(e), e.photo, "PNG");
    }
    // The plug-in icons named by SYS02.cdtb, each showing a character of its
    // menu caption not shown by another, and the one used where cdtb is null.
    QList<QPair<QString, QString>> icons{{QStringLiteral("MAILM.ICO"), QStringLiteral("信")}};
    generator.generate(QStringLiteral("SYS02"), [&icons](const QVariantList& row) {
        if (row.at(1).isNull())
            return;
        const QString caption = row.at(0).toString();
        QString letter = caption.left(1);
        for (const QChar c : caption) {
            const bool used = std::any_of(icons.cbegin(), icons.cend(),
                                          [c](const auto& icon) { return icon.second == c; });
            if (!used) {
                letter = c;
                break;
            }
        }
        icons << qMakePair(row.at(1).toString(), letter);
    });
    int hue = 0;
    for (const auto& [name, letter] : icons) {
        saveImage(DemoPictures::icon(letter, QColor::fromHsv(hue, 150, 190)),
                  iconFolder() + u'/' + name, "ICO");
        hue = (hue + 55) % 360;
    }
    saveImage(DemoPictures::banner(QStringLiteral("QUILL 数据管理"),
                                   QStringLiteral("人事档案 · 工资管理 · 考勤管理")),
              homeFolder() + QStringLiteral("/bramble.bmp"), "BMP");
    saveImage(DemoPictures::banner(QStringLiteral("考勤管理"), QStringLiteral("出勤、工时与加班")),
              homeFolder() + QStringLiteral("/kq-banner.png"), "PNG");
}

void DemoWorkspace::writeSettings() const {
    SettingsFile settings(homeFolder() + u'/' + settingsFileName());
    const QString quill = QStringLiteral("QUILL");
    auto plugin = [&](const QString& title, int i, const QString& menu, const QString& caption) {
        settings.setValue(quill, title + QStringLiteral("MENU") + QString::number(i), menu);
        settings.setValue(quill, title + QStringLiteral("CAP") + QString::number(i), caption);
    };
    for (const QString& title :
         {QStringLiteral("人事档案"), QStringLiteral("工资管理"), QStringLiteral("考勤管理")}) {
        settings.setValue(quill, title, QStringLiteral("-010203040506070809101112"));
        settings.setValue(quill, title + QStringLiteral("MENU"), QString());
        settings.setValue(quill, title + QStringLiteral(" 0"), QStringLiteral("NO"));
        settings.setValue(QStringLiteral("VEGA"), title + QStringLiteral("-USE"),
                          QStringLiteral("YES"));
    }
    plugin(QStringLiteral("工资管理"), 1, QStringLiteral("考勤管理"), QStringLiteral("考勤"));
    plugin(QStringLiteral("工资管理"), 2, QStringLiteral("人事档案"), QStringLiteral("档案"));
    plugin(QStringLiteral("工资管理"), 3, QStringLiteral("工资计算"), QStringLiteral("计算"));
    plugin(QStringLiteral("考勤管理"), 1, QStringLiteral("工资管理"), QStringLiteral("工资"));
    // Not in SYS02: the toolbar keeps a hidden "没挂" button in its place.
    plugin(QStringLiteral("考勤管理"), 2, QStringLiteral("考勤机"), QStringLiteral("考勤机"));
    plugin(QStringLiteral("人事档案"), 1, QStringLiteral("工资管理"), QStringLiteral("工资"));
    settings.setValue(quill, QStringLiteral("考勤管理IMAGE"),
                      homeFolder() + QStringLiteral("/kq-banner.png"));
    // The demo's administrator password is published in the README, so a slow
    // hash would protect nothing here and every test workspace would pay for it.
    settings.setValue(AdminPassword::Section, AdminPassword::Key,
                      AdminPassword::hashed(QStringLiteral("quill-admin"), 1000));
    settings.save();
}

QStringList DemoWorkspace::files() const {
    QStringList out;
    QDirIterator it(m_folder, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    const QDir root(m_folder);
    while (it.hasNext())
        out << root.relativeFilePath(it.next());
    out.sort();
    return out;
}

QString DemoWorkspace::summary() const {
    if (!SuiteConfig::exists(m_folder))
        throw DemoError(QStringLiteral("此文件夹不是工作区（没有 suite.conf）：") + m_folder);
    const ConnectionConfig database = SuiteConfig::load(m_folder).connectionConfig();
    QString text = QStringLiteral("工作区 %1\n").arg(m_folder);
    text += database.engine == ConnectionConfig::Engine::Sqlite
                ? QStringLiteral("数据库 SQLite %1\n").arg(database.path)
                : QStringLiteral("数据库 PostgreSQL %1\n").arg(database.toPgConnInfo());
    // Listed before connecting: an open SQLite database adds its lock files.
    const QStringList all = files();
    Connection connection(database);
    for (const auto& [table, rows] : DemoLoader(connection).rowCounts())
        text += QStringLiteral("  %1 %2 行\n").arg(table, -8).arg(rows);
    text += QStringLiteral("文件\n");
    for (const QString& f : all) {
        text +=
            QStringLiteral("  %1 %2 字节\n").arg(f, -32).arg(QFileInfo(m_folder + u'/' + f).size());
    }
    return text;
}

} // namespace quill
