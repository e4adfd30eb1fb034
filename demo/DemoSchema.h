#pragma once

#include "demo/DemoTable.h"
#include "platform/db/ConnectionConfig.h"

#include <QList>
#include <QStringList>

namespace quill {

// The tables of the demo workspace: the suite's shared tables (zdb1, zdb3,
// SYS02, SYS03) and the data tables (YGZL, GZB, KQB), and the statements that
// create them on each engine.
class DemoSchema {
public:
    static const QList<DemoTable>& tables();
    static const DemoTable& table(const QString& name);
    static QList<DemoTable> dataTables();

    // SQL type of a column on an engine, from its type code.
    static QString sqlType(const DemoColumn& column, const DemoTable& table,
                           ConnectionConfig::Engine engine);
    // create table and create index statements of one table.
    static QStringList createStatements(const DemoTable& table, ConnectionConfig::Engine engine);
};

} // namespace quill
