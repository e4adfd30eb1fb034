#include "suite/Organisation.h"

#include "platform/db/Recordset.h"

#include <vector>

namespace quill {

void Organisation::load(Connection& connection, int& opened) {
    struct Row {
        qint64 id;
        qint64 parent;
        QString name;
        bool isDept;
    };
    std::vector<Row> rows;
    {
        Recordset rs;
        ++opened;
        rs.Open(QStringLiteral("select * from zdb3 order by proval1, proid"), connection);
        for (; !rs.Eof(); rs.MoveNext())
            rows.push_back(
                {rs.Value(QStringLiteral("proid")).toLongLong(),
                 rs.Value(QStringLiteral("parid")).toLongLong(),
                 rs.Value(QStringLiteral("proname")).toString(),
                 rs.Value(QStringLiteral("proval")).toString().trimmed() == QLatin1String("3")});
    }
    clear();
    for (const Row& row : rows) {
        if (row.isDept) {
            m_units.insert(row.id, {row.name, Dept});
            m_deptsByName[row.name.trimmed()].append(row.id);
        }
    }
    // Teams hang under departments, groups under teams.
    for (const Level level : {Team, Group}) {
        const Level parentLevel = level == Team ? Dept : Team;
        for (const Row& row : rows) {
            const auto parent = m_units.constFind(row.parent);
            if (m_units.contains(row.id) || parent == m_units.cend() ||
                parent->level != parentLevel)
                continue;
            m_units.insert(row.id, {row.name, level});
            const std::pair<qint64, QString> key(row.parent, row.name.trimmed());
            if (!m_childByName.contains(key))
                m_childByName.insert(key, row.id);
        }
    }
    m_loaded = true;
}

void Organisation::clear() {
    m_loaded = false;
    m_units.clear();
    m_deptsByName.clear();
    m_childByName.clear();
}

QString Organisation::deptName(const QString& code) const {
    return nameOf(code, Dept);
}

QString Organisation::teamName(const QString& code) const {
    return nameOf(code, Team);
}

QString Organisation::groupName(const QString& code) const {
    return nameOf(code, Group);
}

QString Organisation::deptCode(const QString& name) const {
    const QList<qint64> ids = departments(name);
    return ids.isEmpty() ? QString() : QString::number(ids.first());
}

QString Organisation::teamCode(const QString& deptName, const QString& name) const {
    for (const qint64 dept : departments(deptName)) {
        if (const qint64 team = child(dept, name))
            return QString::number(team);
    }
    return QString();
}

QString Organisation::groupCode(const QString& deptName, const QString& teamName,
                                const QString& name) const {
    for (const qint64 dept : departments(deptName)) {
        const qint64 team = child(dept, teamName);
        if (!team)
            continue;
        if (const qint64 group = child(team, name))
            return QString::number(group);
    }
    return QString();
}

QString Organisation::nameOf(const QString& code, Level level) const {
    bool ok = false;
    const qint64 id = code.trimmed().toLongLong(&ok);
    if (!ok)
        return QString();
    const auto unit = m_units.constFind(id);
    return unit != m_units.cend() && unit->level == level ? unit->name : QString();
}

qint64 Organisation::child(qint64 parent, const QString& name) const {
    const QString key = name.trimmed();
    return key.isEmpty() ? 0 : m_childByName.value(std::pair<qint64, QString>(parent, key), 0);
}

QList<qint64> Organisation::departments(const QString& name) const {
    const QString key = name.trimmed();
    return key.isEmpty() ? QList<qint64>() : m_deptsByName.value(key);
}

} // namespace quill
