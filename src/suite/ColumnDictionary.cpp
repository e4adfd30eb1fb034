#include "suite/ColumnDictionary.h"

#include "platform/db/Recordset.h"

namespace quill {

namespace {

QString text(const Recordset& rs, const char* field) {
    return rs.Value(QLatin1String(field)).toString();
}

} // namespace

std::vector<ColumnDictionary::TableRow> ColumnDictionary::readTables(Connection& connection,
                                                                     int& opened) {
    std::vector<TableRow> tables;
    Recordset rs;
    ++opened;
    rs.Open(QStringLiteral("select * from zdb1 where parid=0 and proval='DATABASE'"), connection);
    if (rs.Eof())
        return tables;
    const qint64 root = rs.Value(QStringLiteral("proid")).toLongLong();
    rs.Close();
    ++opened;
    rs.Open(QStringLiteral("select * from zdb1 where parid=%1 order by proid").arg(root),
            connection);
    for (; !rs.Eof(); rs.MoveNext())
        tables.push_back({rs.Value(QStringLiteral("proid")).toLongLong(),
                          text(rs, "proname").trimmed(), text(rs, "proval").trimmed()});
    return tables;
}

const ColumnDictionary::TableRow* ColumnDictionary::match(const std::vector<TableRow>& tables,
                                                          const QString& name) {
    const QString wanted = name.trimmed();
    if (wanted.isEmpty())
        return nullptr;
    for (const TableRow& row : tables) {
        if (row.title.compare(wanted, Qt::CaseInsensitive) == 0)
            return &row;
    }
    for (const TableRow& row : tables) {
        if (row.table.compare(wanted, Qt::CaseInsensitive) == 0)
            return &row;
    }
    return nullptr;
}

void ColumnDictionary::load(Connection& connection, const TableRow& table, int& opened) {
    Recordset rs;
    ++opened;
    rs.Open(QStringLiteral("select * from zdb1 where parid=%1 order by proid").arg(table.id),
            connection);
    clear();
    m_table = table;
    for (; !rs.Eof(); rs.MoveNext()) {
        Column column{text(rs, "proname"), text(rs, "proval").trimmed(),
                      text(rs, "proval1").trimmed(), text(rs, "proval2").trimmed()};
        // A column without a caption is shown by its field name, so that
        // looking its field up never answers "no such column".
        if (column.caption.trimmed().isEmpty())
            column.caption = column.field;
        m_columns.push_back(column);
        // The first of two equal names wins; an empty name names nothing.
        const Column& c = m_columns.back();
        const int i = int(m_columns.size()) - 1;
        const QString field = c.field.toCaseFolded();
        if (!field.isEmpty() && !m_fields.contains(field))
            m_fields.insert(field, i);
        if (!c.caption.isEmpty() && !m_captions.contains(c.caption))
            m_captions.insert(c.caption, i);
    }
}

void ColumnDictionary::clear() {
    m_table = TableRow();
    m_columns.clear();
    m_fields.clear();
    m_captions.clear();
}

QString ColumnDictionary::lookup(const QString& name) const {
    if (const Column* c = byField(name))
        return c->caption;
    if (const Column* c = byCaption(name))
        return c->field;
    if (name == QStringLiteral("或者"))
        return QStringLiteral("or");
    if (name == QStringLiteral("并且"))
        return QStringLiteral("and");
    return QString();
}

const ColumnDictionary::Column* ColumnDictionary::column(const QString& name) const {
    if (const Column* c = byField(name))
        return c;
    return byCaption(name);
}

const ColumnDictionary::Column* ColumnDictionary::byField(const QString& field) const {
    if (field.isEmpty())
        return nullptr;
    const auto it = m_fields.constFind(field.toCaseFolded());
    return it == m_fields.cend() ? nullptr : &m_columns[*it];
}

const ColumnDictionary::Column* ColumnDictionary::byCaption(const QString& caption) const {
    const auto it = m_captions.constFind(caption);
    return it == m_captions.cend() ? nullptr : &m_columns[*it];
}

QString ColumnDictionary::attribute(int attribute, long position) const {
    if (position == 0) {
        if (attribute == 0)
            return m_table.title;
        if (attribute == 1)
            return m_table.table;
        return QString();
    }
    if (position < 0 || position > count())
        return QString();
    const Column& c = m_columns[position - 1];
    switch (attribute) {
    case 0:
        return c.caption;
    case 1:
        return c.field;
    case 2:
        return c.type;
    default:
        return QString();
    }
}

} // namespace quill
