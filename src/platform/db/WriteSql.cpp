#include "WriteSql.h"

#include "platform/db/RecordsetData.h"

#include <QStringList>

namespace quill {

namespace {

QString param(WriteSql::Dialect dialect, int n) {
    return (dialect == WriteSql::Dialect::Sqlite ? QStringLiteral("?%1") : QStringLiteral("$%1"))
        .arg(n);
}

QString column(const RecordsetData& data, int field) {
    return WriteSql::quoted(data.fields[static_cast<size_t>(field)].column);
}

// The row version: xmin, or the version function over the record's columns,
// called again on its own result for every further group of columns, as
// many arguments as a SQL function takes.
QString version(WriteSql::Dialect dialect, const RecordsetData& data) {
    if (dialect == WriteSql::Dialect::Postgres)
        return QStringLiteral("xmin");
    QString expression = QStringLiteral("0");
    const std::vector<int>& fields = data.columnFields;
    size_t next = 0;
    do {
        QStringList args{expression};
        for (; next < fields.size() && args.size() < WriteSql::versionArguments; ++next)
            args << column(data, fields[next]);
        expression = QString::fromLatin1(WriteSql::versionFunction) + QLatin1Char('(') +
                     args.join(QLatin1Char(',')) + QLatin1Char(')');
    } while (next < fields.size());
    return expression;
}

QString identity(WriteSql::Dialect dialect) {
    return dialect == WriteSql::Dialect::Sqlite ? QStringLiteral("rowid") : QStringLiteral("ctid");
}

QString checks(WriteSql::Dialect dialect, const RecordsetData& data, int first) {
    const bool pg = dialect == WriteSql::Dialect::Postgres;
    return QLatin1String(" where ") + identity(dialect) + QLatin1Char('=') + param(dialect, first) +
           (pg ? QLatin1String("::tid") : QLatin1String()) + QLatin1String(" and ") +
           version(dialect, data) + QLatin1Char('=') + param(dialect, first + 1) +
           (pg ? QLatin1String("::xid") : QLatin1String());
}

QString returning(WriteSql::Dialect dialect, const RecordsetData& data,
                  const std::vector<int>& fields) {
    QStringList list{identity(dialect), version(dialect, data)};
    for (const int f : fields)
        list << column(data, f);
    return QLatin1String(" returning ") + list.join(QLatin1Char(','));
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
                         const std::vector<int>& setFields) {
    QStringList sets;
    int n = 1;
    for (const int f : setFields)
        sets << column(data, f) + QLatin1Char('=') + param(dialect, n++);
    return QLatin1String("update ") + data.table + QLatin1String(" set ") +
           sets.join(QLatin1Char(',')) + checks(dialect, data, n) +
           (dialect == Dialect::Postgres ? returning(dialect, data, setFields) : QString());
}

QString WriteSql::reread(const RecordsetData& data, const std::vector<int>& setFields) {
    QStringList list{version(Dialect::Sqlite, data)};
    for (const int f : setFields)
        list << column(data, f);
    return QLatin1String("select ") + list.join(QLatin1Char(',')) + QLatin1String(" from ") +
           data.table + QLatin1String(" where rowid=?1");
}

QString WriteSql::remove(Dialect dialect, const RecordsetData& data) {
    return QLatin1String("delete from ") + data.table + checks(dialect, data, 1);
}

QString WriteSql::insert(Dialect dialect, const RecordsetData& data,
                         const std::vector<int>& setFields) {
    if (setFields.empty())
        return QLatin1String("insert into ") + data.table + QLatin1String(" default values") +
               returning(dialect, data, data.columnFields);
    QStringList columns;
    QStringList values;
    int n = 1;
    for (const int f : setFields) {
        columns << column(data, f);
        values << param(dialect, n++);
    }
    return QLatin1String("insert into ") + data.table + QLatin1String(" (") +
           columns.join(QLatin1Char(',')) + QLatin1String(") values (") +
           values.join(QLatin1Char(',')) + QLatin1Char(')') +
           returning(dialect, data, data.columnFields);
}

QString WriteSql::forChanges(char kind, Dialect dialect, const RecordsetData& data,
                             std::vector<int>* setFields) {
    for (int f = 0; f < data.fieldCount(); ++f) {
        if (data.changed[static_cast<size_t>(f)])
            setFields->push_back(f);
    }
    if (kind == 'U')
        return update(dialect, data, *setFields);
    if (kind == 'I')
        return insert(dialect, data, *setFields);
    return remove(dialect, data);
}

} // namespace quill
