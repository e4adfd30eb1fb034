#include "Mdlx.h"

#include "foundation/Dialect.h"
#include "foundation/TypeCode.h"
#include "platform/vb/IsDate.h"
#include "platform/vb/Trim.h"
#include "platform/vb/Val.h"
#include "suite/SuiteLib.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace quill {

namespace {

const QString Dept = QStringLiteral("部门");
const QString Team = QStringLiteral("班别");
const QString Group = QStringLiteral("组别");

// The current dialect, read afresh from the suite's DatabaseKind.
Dialect currentDialect() {
    return Dialect::fromKind(SuiteLib::instance().DatabaseKind);
}

// The SQL name of an item or connective caption.
QString col(const QString& caption) {
    return vb::Trim(SuiteLib::instance().ColumnLookup(vb::Trim(caption)));
}

bool isNullTest(const QString& value) {
    return vb::Trim(value).toUpper() == QLatin1String("NULL");
}

// A number in plain decimal: the shortest text that reads back as the same
// value, never in exponent form, no leading blank. A value too large for a
// double (Val gives infinity) is written as the largest one.
QString plainDecimal(double value) {
    if (std::isinf(value))
        value = std::copysign(std::numeric_limits<double>::max(), value);
    if (value == 0)
        value = 0; // no "-0"
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

// The value of a condition as an SQL literal, by the first character of the
// item's type code (a lower-case code reads as its upper-case one).
QString literal(const Mdlx::ConditionRow& row, const Dialect& dialect) {
    const QString& value = row[Mdlx::Value];
    switch (typeCodeOf(SuiteLib::instance().ColumnType(vb::Trim(row[Mdlx::Item])))) {
    case TypeCode::S:
        return Dialect::textLiteral(value);
    case TypeCode::T:
        return dialect.dateLiteral(value);
    case TypeCode::Y:
        return dialect.timeLiteral(value);
    case TypeCode::D:
    case TypeCode::I:
        return plainDecimal(vb::Val(value));
    case TypeCode::B:
    case TypeCode::M:
    case TypeCode::O:
    case TypeCode::Unknown:
        break;
    }
    return dialect.valueLiteral(value);
}

QString term(const Mdlx::ConditionRow& row, const Dialect& dialect) {
    return col(row[Mdlx::Item]) + QLatin1Char(' ') + vb::Trim(row[Mdlx::Operator]) +
           QLatin1Char(' ') + literal(row, dialect);
}

// The null test or the comparison of one condition row.
QString condition(const Mdlx::ConditionRow& row, const Dialect& dialect) {
    return isNullTest(row[Mdlx::Value]) ? dialect.nullTest(col(row[Mdlx::Item]))
                                        : term(row, dialect);
}

QString rangePart(const QString& kind, const Mdlx& m, const Dialect& dialect) {
    if (kind == QLatin1String("date1"))
        return QStringLiteral("where zhdate=") + dialect.dateLiteral(m.DateFrom) + QLatin1Char(' ');
    if (kind == QLatin1String("date2"))
        return QStringLiteral("where zhdate>=") + dialect.dateLiteral(m.DateFrom) +
               QStringLiteral(" and zhdate<=") + dialect.dateLiteral(m.DateTo);
    if (kind == QLatin1String("time1"))
        return QStringLiteral("where zhtime=") + Dialect::textLiteral(m.PeriodFrom);
    if (kind == QLatin1String("time2"))
        return QStringLiteral("where zhtime>=") + Dialect::textLiteral(m.PeriodFrom) +
               QStringLiteral(" and zhtime<=") + Dialect::textLiteral(m.PeriodTo);
    return {};
}

} // namespace

Mdlx& Mdlx::instance() {
    static Mdlx module;
    return module;
}

void Mdlx::reset() {
    *this = Mdlx();
}

QString Mdlx::ColumnRef(std::int32_t n) {
    if (n < 1 || n > 99)
        return QStringLiteral("$CL");
    QString name;
    for (int rest = n; rest > 0; rest = (rest - 1) / 26)
        name.prepend(QChar(u'A' + (rest - 1) % 26));
    return QLatin1Char('$') + name;
}

QString Mdlx::RowRef(std::int32_t n) {
    return QLatin1Char('$') + QString::number(n);
}

void Mdlx::startRange() {
    SuiteLib& lib = SuiteLib::instance();
    if (!lib.ColumnLookup(QStringLiteral("zhtime")).isEmpty())
        lib.RangeKind = QStringLiteral("time1");
    else if (!lib.ColumnLookup(QStringLiteral("zhdate")).isEmpty())
        lib.RangeKind = QStringLiteral("date1");
    else
        lib.RangeKind = QString();
    DateFrom = lib.Date1;
    DateTo = lib.Date2;
    PeriodFrom = lib.CurrentPeriod;
    PeriodTo = lib.CurrentPeriod;
}

QString Mdlx::RangeCaptionFor(const QString& prefix) {
    SuiteLib& lib = SuiteLib::instance();
    CaptionPrefix = prefix;
    const QString kind = lib.RangeKind;
    const QString to = QStringLiteral("至");
    if (kind == QLatin1String("date1"))
        RangeCaption = QLatin1Char('[') + DateFrom + QLatin1Char(']');
    else if (kind == QLatin1String("date2"))
        RangeCaption = QLatin1Char('[') + DateFrom + to + DateTo + QLatin1Char(']');
    else if (kind == QLatin1String("time1"))
        RangeCaption = QLatin1Char('[') + PeriodFrom + QLatin1Char(']');
    else if (kind == QLatin1String("time2"))
        RangeCaption = QLatin1Char('[') + PeriodFrom + to + PeriodTo + QLatin1Char(']');
    else
        RangeCaption.clear();
    lib.QueryCaption = CaptionPrefix + RangeCaption;
    return lib.QueryCaption;
}

QString Mdlx::CommitConditions(std::int16_t count) {
    SuiteLib& lib = SuiteLib::instance();
    const int checked = std::clamp<int>(count, 0, MaxConditions);
    for (int i = 0; i < checked; ++i) {
        const ConditionRow& row = EditedConditions[i];
        const QString type = lib.ColumnType(row[Item]);
        if ((type == QLatin1String("T") || type == QLatin1String("Y")) && !vb::IsDate(row[Value]))
            return row[Item] + QStringLiteral("格式不对");
    }
    // The table has 30 rows; a larger count would claim rows that do not exist.
    ActiveCount = static_cast<std::int16_t>(std::clamp<int>(EditedCount, 0, MaxConditions));
    for (int i = 0; i < MaxConditions; ++i)
        ActiveConditions[i] = i < ActiveCount ? EditedConditions[i] : ConditionRow();
    return {};
}

void Mdlx::BuildSelection() {
    SuiteLib& lib = SuiteLib::instance();
    const Dialect dialect = currentDialect();
    lib.SqlWhere = rangePart(lib.RangeKind, *this, dialect);
    lib.FilterCaption1 = QString();
    lib.FilterCaption2 = QString();
    lib.FilterCaption3 = QString();

    const int n = std::min<int>(ActiveCount, MaxConditions);
    // The conditions join the range part, or start the clause.
    const QString lead =
        lib.SqlWhere.isEmpty() ? QStringLiteral("where ") : lib.SqlWhere + QStringLiteral(" and ");
    if (n == 1) {
        const ConditionRow& row = ActiveConditions[0];
        if (row[Item] == Dept)
            lib.FilterCaption1 = lib.DeptName(Dept, row[Value]);
        else
            lib.FilterCaption1 = row[Item] + QLatin1Char(':') + row[Value];
        lib.SqlWhere = lead + condition(row, dialect);
    } else if (n >= 2) {
        const ConditionRow& first = ActiveConditions[0];
        if (first[Item] == Dept)
            lib.FilterCaption1 = lib.DeptName(Dept, first[Value]);
        lib.SqlWhere = lead + QLatin1Char('(') + condition(first, dialect);
        for (int i = 1; i < n; ++i) {
            const ConditionRow& row = ActiveConditions[i];
            if (row[Item] == Dept)
                lib.FilterCaption1 = lib.DeptName(Dept, row[Value]);
            if (row[Item] == Team)
                lib.FilterCaption2 = lib.TeamName(lib.FilterCaption1, row[Value]);
            if (row[Item] == Group)
                lib.FilterCaption3 =
                    lib.GroupName(lib.FilterCaption1, lib.FilterCaption2, row[Value]);
            lib.SqlWhere += QLatin1Char(' ') + col(row[Connective]) + QLatin1Char(' ') +
                            condition(row, dialect);
        }
        lib.SqlWhere += QLatin1Char(')');
    }

    const QString filter = lib.ExtraFilter;
    if (!filter.isEmpty()) {
        const QString w = lib.SqlWhere;
        lib.SqlWhere =
            w.isEmpty() ? QStringLiteral(" where ") + filter : w + QStringLiteral(" and ") + filter;
    }
}

} // namespace quill
