#pragma once

#include "demo/DemoEmployee.h"
#include "demo/DemoOptions.h"
#include "demo/DemoUnit.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace quill {

// Generates the demo rows of every table from DemoOptions alone: the same
// options give the same rows, whatever engine they go to. Large tables are
// streamed row by row, so 20000 employees x 12 periods need no big buffer.
class DemoGenerator {
public:
    using RowSink = std::function<void(const QVariantList&)>;

    explicit DemoGenerator(const DemoOptions& options);

    const DemoOptions& options() const { return m_options; }
    const QList<DemoUnit>& units() const { return m_units; }
    const QList<DemoEmployee>& employees() const { return m_employees; }

    // Period texts such as "2026年01月", oldest first; the last is the current one.
    QStringList periods() const;
    QString currentPeriod() const;
    QDate periodStart(int period) const;
    // Working days (Monday to Friday) of a period.
    QList<QDate> workingDays(int period) const;
    // Days of the attendance table: the working days of the current period.
    QList<QDate> attendanceDays() const;

    qint64 rowCount(const QString& table) const;
    // Calls sink once per row of the table, in the order of its columns.
    void generate(const QString& table, const RowSink& sink) const;

    // Name of a unit from its proid; empty when there is none.
    QString unitName(int proid) const;

private:
    void buildUnits();
    void buildEmployees();
    void payRows(const RowSink& sink) const;
    void attendanceRows(const RowSink& sink) const;
    void employeeRows(const RowSink& sink) const;

    DemoOptions m_options;
    QList<DemoUnit> m_units;
    QList<int> m_groups; // indexes into m_units of the groups, where employees work
    QList<DemoEmployee> m_employees;
};

} // namespace quill
