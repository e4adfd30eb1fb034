#pragma once

#include "TestDatabase.h"

#include "platform/ui/ScriptedUi.h"
#include "suite/SuiteConfig.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace quill {
class frmRSGL;
}

namespace quill::test {

// A demo workspace (12 employees, 2 periods) on the test's engine, loaded
// into SuiteLib as the host loads it, and a scripted ui seam that records
// every message. SuiteLib and Mdlx start fresh and the connection is closed
// after each test.
class WindowFixture : public EngineTest {
public:
    // The small demo workspace in the database's folder, on its engine, made
    // and loaded into a fresh SuiteLib (and Mdlx); its configuration.
    static SuiteConfig loadDemoWorkspace(TestDatabase& db, Engine engine);

protected:
    void SetUp() override;
    void TearDown() override;

    // A window for the module title, loaded (not yet shown).
    std::unique_ptr<frmRSGL> load(const QString& title);
    // Shows the window and lets its first activation run.
    static void show(frmRSGL& window);
    // A window for the module title, loaded and shown.
    std::unique_ptr<frmRSGL> opened(const QString& title = QStringLiteral("工资管理"));
    // The report list's entry of a report (1-based), 0 when absent.
    static int entry(const frmRSGL& window, const QString& report);
    // Clicks the report's entry in the list.
    static void pick(frmRSGL& window, const QString& report);

    // Stores a report of the current table as the designer does.
    static void addReport(const QString& name, const QStringList& display,
                          const QStringList& sort = {}, const QStringList& sum = {},
                          const QStringList& group = {});
    void writeSetting(const QString& key, const QString& value,
                      const QString& section = QStringLiteral("QUILL"));
    QString workspace() const { return m_workspace; }
    // A path in the workspace folder.
    QString out(const QString& name) const { return m_workspace + u'/' + name; }
    // A path below a plain file of the workspace, where nothing can be
    // written whoever runs the test.
    QString unwritable(const QString& name) const;
    const SuiteConfig& config() const { return m_config; }

    std::unique_ptr<ScriptedUi> ui;

private:
    QString m_workspace;
    SuiteConfig m_config;
};

} // namespace quill::test
