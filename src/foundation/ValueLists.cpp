#include "foundation/ValueLists.h"

#include "foundation/Dialect.h"
#include "platform/db/Recordset.h"
#include "suite/SuiteLib.h"

namespace quill {

namespace {

const QString DeptCaption = QStringLiteral("部门");

} // namespace

std::optional<QStringList> ValueLists::pickList(const QString& caption) {
    SuiteLib& lib = SuiteLib::instance();
    QString header;
    {
        Recordset rs;
        rs.Open(QStringLiteral("select * from zdb3 where proval=2 and proname=") +
                    Dialect::textLiteral(caption),
                *lib.Connection);
        if (rs.Eof())
            return std::nullopt;
        header = rs.Value(QStringLiteral("proid")).toString();
    }
    return children(header);
}

std::optional<QStringList> ValueLists::teams(const QString& deptName) {
    const QString dept = SuiteLib::instance().DeptCode(DeptCaption, deptName);
    if (dept.isEmpty())
        return std::nullopt;
    return children(dept);
}

std::optional<QStringList> ValueLists::groups(const QString& deptName, const QString& teamName) {
    const QString team = SuiteLib::instance().TeamCode(deptName, teamName);
    if (team.isEmpty())
        return std::nullopt;
    return children(team);
}

QStringList ValueLists::children(const QString& code) {
    // Codes are proids, so the text is a number; read back as one all the same.
    Recordset rs;
    rs.Open(QStringLiteral("select * from zdb3 where parid=") + QString::number(code.toLongLong()) +
                QStringLiteral(" order by proval1"),
            *SuiteLib::instance().Connection);
    QStringList names;
    for (; !rs.Eof(); rs.MoveNext())
        names << rs.Value(QStringLiteral("proname")).toString();
    return names;
}

} // namespace quill
