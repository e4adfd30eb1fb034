#include "WriteSql.h"

#include "platform/db/RecordsetData.h"

#include <QStringList>

namespace quill {

namespace {

QString param(WriteSql::Dialect dialect, int n) {
    return (dialect == WriteSql::Dialect::Sqlite ? QStringLiteral("?%1") : QStringLiteral("$%1"))
        .arg(n);
}

bool temporal(FieldKind kind) {
    return kind == FieldKind::Date || kind == FieldKind::Time || kind == FieldKind::DateTime;
}

// "column equals the value read", nulls equal to nulls. SQLite keeps dates as
// text that others may have written in another form, so both sides are
// compared in one normal form there.
QString sameAs(WriteSql::Dialect dialect, const FieldInfo& field, int n) {
    const QString column = WriteSql::quoted(field.column);
    const QString p = param(dialect, n);
    if (dialect == WriteSql::Dialect::Postgres)
        return column + QLatin1String(" IS NOT DISTINCT FROM ") + p;
    if (!temporal(field.kind))
        return column + QLatin1String(" IS ") + p;
    static const QString normal = QStringLiteral("coalesce(strftime('%Y-%m-%d %H:%M:%f',%1),%1)");
    return QLatin1Char('(') + column + QLatin1String(" IS ") + p + QLatin1String(" OR ") +
           normal.arg(column) + QLatin1String(" IS ") + normal.arg(p) + QLatin1Char(')');
}

QString identityTest(WriteSql::Dialect dialect, int n) {
    return dialect == WriteSql::Dialect::Sqlite ? QStringLiteral("rowid=?%1").arg(n)
                                                : QStringLiteral("ctid=$%1::tid").arg(n);
}

QString returning(WriteSql::Dialect dialect, const RecordsetData& data,
                  const std::vector<int>& columnFields) {
    QStringList list{dialect == WriteSql::Dialect::Sqlite ? QStringLiteral("rowid")
                                                          : QStringLiteral("ctid")};
    for (const int f : columnFields)
        list << WriteSql::quoted(data.fields[static_cast<size_t>(f)].column);
    return QLatin1String(" returning ") + list.join(QLatin1Char(','));
}

QString checks(WriteSql::Dialect dialect, const RecordsetData& data,
               const std::vector<int>& columnFields, int first) {
    QString where = QLatin1String(" where ") + identityTest(dialect, first);
    int n = first + 1;
    for (const int f : columnFields)
        where += QLatin1String(" and ") + sameAs(dialect, data.fields[static_cast<size_t>(f)], n++);
    return where;
}

} // namespace

std::vector<int> WriteSql::columnFields(const RecordsetData& data) {
    std::vector<int> list;
    for (int i = 0; i < data.fieldCount(); ++i) {
        if (!data.fields[static_cast<size_t>(i)].column.isEmpty())
            list.push_back(i);
    }
    return list;
}

QString WriteSql::quoted(const QString& identifier) {
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString WriteSql::update(Dialect dialect, const RecordsetData& data,
                         const std::vector<int>& setFields, const std::vector<int>& columnFields) {
    QStringList sets;
    int n = 1;
    for (const int f : setFields)
        sets << quoted(data.fields[static_cast<size_t>(f)].column) + QLatin1Char('=') +
                    param(dialect, n++);
    return QLatin1String("update ") + data.table + QLatin1String(" set ") +
           sets.join(QLatin1Char(',')) + checks(dialect, data, columnFields, n) +
           (dialect == Dialect::Postgres ? returning(dialect, data, setFields) : QString());
}

QString WriteSql::remove(Dialect dialect, const RecordsetData& data,
                         const std::vector<int>& columnFields) {
    return QLatin1String("delete from ") + data.table + checks(dialect, data, columnFields, 1);
}

QString WriteSql::insert(Dialect dialect, const RecordsetData& data,
                         const std::vector<int>& setFields, const std::vector<int>& columnFields) {
    if (setFields.empty())
        return QLatin1String("insert into ") + data.table + QLatin1String(" default values") +
               returning(dialect, data, columnFields);
    QStringList columns;
    QStringList values;
    int n = 1;
    for (const int f : setFields) {
        columns << quoted(data.fields[static_cast<size_t>(f)].column);
        values << param(dialect, n++);
    }
    return QLatin1String("insert into ") + data.table + QLatin1String(" (") +
           columns.join(QLatin1Char(',')) + QLatin1String(") values (") +
           values.join(QLatin1Char(',')) + QLatin1Char(')') +
           returning(dialect, data, columnFields);
}

QString WriteSql::forChanges(char kind, Dialect dialect, const RecordsetData& data,
                             std::vector<int>* setFields) {
    for (int f = 0; f < data.fieldCount(); ++f) {
        if (data.changed[static_cast<size_t>(f)])
            setFields->push_back(f);
    }
    if (kind == 'U')
        return update(dialect, data, *setFields, data.columnFields);
    if (kind == 'I')
        return insert(dialect, data, *setFields, data.columnFields);
    return remove(dialect, data, data.columnFields);
}

} // namespace quill
