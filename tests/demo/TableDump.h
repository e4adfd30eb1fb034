#pragma once

#include "demo/DemoGenerator.h"
#include "demo/DemoTable.h"

#include <QSqlDatabase>
#include <QStringList>

namespace quill::test {

// Rows in one canonical text form whatever engine they came from (dates ISO,
// times hh:mm:ss, decimals with two places, yes/no as 1/0, null marked), one
// line per row, sorted, so two engines' tables compare line by line.
QStringList dumpTable(const QSqlDatabase& database, const DemoTable& table);
QStringList dumpGenerated(const DemoGenerator& generator, const DemoTable& table);

} // namespace quill::test
