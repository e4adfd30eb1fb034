#include "ReportRange.h"

#include "platform/db/Recordset.h"
#include "platform/vb/ParseDate.h"
#include "suite/SuiteLib.h"
#include "windows/dialogs/DateRange.h"
#include "windows/dialogs/PeriodRange.h"

#include <QStringList>

#include <optional>

namespace quill {

namespace {

// The one or two bounds of "first[:last]"; none when malformed.
std::optional<QStringList> bounds(const QString& given) {
    const QStringList parts = given.split(QLatin1Char(':'));
    if (parts.size() > 2)
        return std::nullopt;
    QStringList out;
    for (const QString& part : parts) {
        if (part.trimmed().isEmpty())
            return std::nullopt;
        out << part.trimmed();
    }
    return out;
}

bool tableHas(const char* field) {
    return !SuiteLib::instance().ColumnLookup(QLatin1String(field)).isEmpty();
}

// A date the module's date parser takes, without a time of day.
std::optional<QDate> dateOf(const QString& text) {
    const auto parts = vb::ParseDateParts(text);
    if (!parts || !parts->date || parts->time)
        return std::nullopt;
    return parts->date;
}

} // namespace

QString ReportRange::applyPeriod(const QString& given) {
    if (!tableHas("zhtime"))
        return QStringLiteral("数据表 %1 没有期间（zhtime），不能按期间查询")
            .arg(SuiteLib::instance().TableName);
    const std::optional<QStringList> b = bounds(given);
    if (!b)
        return QStringLiteral("期间范围 %1 的格式不对").arg(given);
    Recordset periods;
    const QStringList known = PeriodRange::load(periods);
    for (const QString& period : *b) {
        if (!known.contains(period))
            return QStringLiteral("期间 %1 不在会计期间中").arg(period);
    }
    const QString last = b->size() == 2 ? b->at(1) : b->at(0);
    if (!PeriodRange::store(b->size() == 1, b->at(0), last))
        return QStringLiteral("起始期间 %1 在终止期间 %2 之后").arg(b->at(0), last);
    return QString();
}

QString ReportRange::applyDate(const QString& given) {
    if (!tableHas("zhdate"))
        return QStringLiteral("数据表 %1 没有日期（zhdate），不能按日期查询")
            .arg(SuiteLib::instance().TableName);
    const std::optional<QStringList> b = bounds(given);
    if (!b)
        return QStringLiteral("日期范围 %1 的格式不对").arg(given);
    QList<QDate> dates;
    for (const QString& text : *b) {
        const std::optional<QDate> date = dateOf(text);
        if (!date)
            return QStringLiteral("%1 不是日期").arg(text);
        dates << *date;
    }
    const QDate last = dates.size() == 2 ? dates.at(1) : dates.at(0);
    if (!DateRange::store(dates.size() == 1, dates.at(0), last))
        return QStringLiteral("起始日期 %1 在终止日期 %2 之后")
            .arg(DateRange::text(dates.at(0)), DateRange::text(last));
    return QString();
}

} // namespace quill
