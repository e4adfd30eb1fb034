#pragma once

#include <QHash>
#include <QString>

#include <utility>

namespace quill {

class Connection;

// The organisation tree of zdb3, read in one query: departments (proval 3),
// their children the teams, the teams' children the groups. A unit's code is
// its proid as text. Codes are unique over the tree, so a code alone names
// its unit; names are unique only among siblings, so finding a team's or a
// group's code needs the names above it. Names compare with blanks at both
// ends removed; an unknown code or name gives "".
class Organisation {
public:
    void load(Connection& connection, int& opened);
    bool isLoaded() const { return m_loaded; }
    void clear();

    QString deptName(const QString& code) const;
    QString teamName(const QString& code) const;
    QString groupName(const QString& code) const;
    QString deptCode(const QString& name) const;
    QString teamCode(const QString& deptName, const QString& name) const;
    QString groupCode(const QString& deptName, const QString& teamName, const QString& name) const;

private:
    enum Level { Group = 1, Team = 2, Dept = 3 };
    struct Unit {
        QString name;
        Level level = Dept;
    };

    QString nameOf(const QString& code, Level level) const;
    // Child units of `parent` named `name`, first in sibling order.
    qint64 child(qint64 parent, const QString& name) const;
    QList<qint64> departments(const QString& name) const;

    bool m_loaded = false;
    QHash<qint64, Unit> m_units;
    QHash<QString, QList<qint64>> m_deptsByName;             // trimmed name -> ids
    QHash<std::pair<qint64, QString>, qint64> m_childByName; // (parent, trimmed name) -> id
};

} // namespace quill
