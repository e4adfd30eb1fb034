#pragma once

#include "demo/DemoOptions.h"
#include "platform/db/ConnectionConfig.h"

#include <QString>
#include <QTemporaryDir>

#include <optional>

namespace quill::bench {

// A demo workspace of the given size on one engine, with SuiteLib pointed at
// its pay table GZB (folders, settings, connection; the query is the
// caller's). On PostgreSQL the data goes into a schema of its own, named by
// `schemaPrefix` and the process, dropped again at the end.
class PayWorkspace {
public:
    PayWorkspace(const DemoOptions& options, std::optional<ConnectionConfig> pg,
                 const QString& schemaPrefix);
    ~PayWorkspace();
    PayWorkspace(const PayWorkspace&) = delete;
    PayWorkspace& operator=(const PayWorkspace&) = delete;

    // 1400 employees over 12 periods: 16800 pay rows, more than a sheet shows.
    static DemoOptions fullSheetData();
    // SuiteLib's query: 20 fields of the first 16380 pay rows.
    static void queryFullSheet();

    // The SQLite database file; empty on PostgreSQL.
    QString database() const;
    // A file in the workspace's temporary folder.
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    ConnectionConfig m_config;
};

} // namespace quill::bench
