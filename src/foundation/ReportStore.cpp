#include "foundation/ReportStore.h"

#include "foundation/Dialect.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"
#include "platform/vb/PlainText.h"
#include "platform/vb/Val.h"
#include "suite/SuiteLib.h"

#include <QFileInfo>

namespace quill {

namespace {

QString field(const Recordset& rs, const char* name) {
    return rs.Value(QLatin1String(name)).toString();
}

QString childRowsSql(qint64 reportId, bool conditions) {
    const Dialect dialect = Dialect::fromKind(SuiteLib::instance().DatabaseKind);
    return QStringLiteral("select * from zdb1 where ") +
           dialect.booleanCondition(QStringLiteral("proif"), conditions) +
           QStringLiteral(" and parid=") + QString::number(reportId) +
           QStringLiteral(" order by proid");
}

QString reportsOf(qint64 rootId) {
    return QStringLiteral("select * from zdb1 where parid=") + QString::number(rootId) +
           QStringLiteral(" and proval=") + Dialect::textLiteral(SuiteLib::instance().TableName);
}

QString reportSql(qint64 rootId, const QString& name) {
    return reportsOf(rootId) + QStringLiteral(" and proname=") + Dialect::textLiteral(name) +
           QStringLiteral(" order by proid");
}

QString rowSql(const char* column, qint64 id) {
    return QStringLiteral("select * from zdb1 where ") + QLatin1String(column) + u'=' +
           QString::number(id);
}

// A refusal inside a write: thrown to roll the write back.
struct Refusal {
    QString message;
};

const QString NameTaken = QStringLiteral("已有此报表名称！");
const QString Vanished = QStringLiteral("报表已被其他用户修改或删除");

// Entry k of an item list, null where the list has none.
QVariant entryOrNull(const QStringList& list, qsizetype k) {
    return k < list.size() && !list.at(k).trimmed().isEmpty() ? QVariant(list.at(k)) : QVariant();
}

} // namespace

ReportStore::ReportStore(Recordset& recordset)
    : m_rs(recordset) {}

QString ReportStore::itemRowsSql(qint64 reportId) {
    return childRowsSql(reportId, false);
}

QString ReportStore::conditionRowsSql(qint64 reportId) {
    return childRowsSql(reportId, true);
}

void ReportStore::open(const QString& sql) {
    SuiteLib& lib = SuiteLib::instance();
    if (!lib.Connection)
        throw DbError(QStringLiteral("没有打开的数据库连接"));
    m_rs.Close();
    m_rs.Open(sql, *lib.Connection);
}

std::optional<qint64> ReportStore::rootId() {
    open(QStringLiteral("select * from zdb1 where parid=0 and proval='REPORT'"));
    if (m_rs.Eof())
        return std::nullopt;
    return m_rs.Value(QStringLiteral("proid")).toLongLong();
}

QStringList ReportStore::names(qint64 rootId) {
    open(reportsOf(rootId) + QStringLiteral(" order by proid"));
    QStringList out;
    for (; !m_rs.Eof(); m_rs.MoveNext())
        out << field(m_rs, "proname");
    return out;
}

std::optional<ReportDefinition> ReportStore::read(const QString& name) {
    const std::optional<qint64> root = rootId();
    if (!root)
        return std::nullopt;
    const std::optional<qint64> id = find(*root, name);
    if (!id)
        return std::nullopt;
    ReportDefinition d;
    d.id = *id;
    readItems(d);
    readConditions(d);
    return d;
}

void ReportStore::readItems(ReportDefinition& d) {
    open(itemRowsSql(d.id));
    for (int r = 0; r < ReportLists::MaxRows && !m_rs.Eof(); ++r, m_rs.MoveNext()) {
        d.lists.Display.addRow(field(m_rs, "proname"));
        d.lists.Sort.addRow(field(m_rs, "proval"));
        d.lists.Sum.addRow(field(m_rs, "proval1"));
        d.lists.Group.addRow(field(m_rs, "proval2"));
    }
}

void ReportStore::readConditions(ReportDefinition& d) {
    open(conditionRowsSql(d.id));
    int n = 0;
    for (; n < MaxConditions && !m_rs.Eof(); ++n, m_rs.MoveNext())
        d.conditions[std::size_t(n)] = {field(m_rs, "proname"), field(m_rs, "proval"),
                                        field(m_rs, "proval1"), field(m_rs, "proval2")};
    d.conditionCount = std::int16_t(n);
}

std::optional<qint64> ReportStore::find(qint64 rootId, const QString& name) {
    open(reportSql(rootId, name));
    if (m_rs.Eof())
        return std::nullopt;
    return m_rs.Value(QStringLiteral("proid")).toLongLong();
}

template <typename Write> QString ReportStore::transact(Write write) {
    SuiteLib& lib = SuiteLib::instance();
    QString status;
    try {
        if (!lib.Connection)
            throw DbError(QStringLiteral("没有打开的数据库连接"));
        Connection& connection = *lib.Connection;
        Transaction transaction(connection);
        // A name is checked and taken in one step: SQLite's write transaction
        // already keeps other writers out, PostgreSQL needs the lock.
        if (connection.engine() == ConnectionConfig::Engine::Postgres)
            connection.Execute(QStringLiteral("lock table zdb1 in share row exclusive mode"));
        write(connection);
        transaction.commit();
    } catch (const Refusal& refusal) {
        status = refusal.message;
    } catch (const DbError& e) {
        status = QStringLiteral("报表保存失败：") + e.message();
    }
    m_rs.Close();
    return status;
}

qint64 ReportStore::ensureRoot() {
    if (const std::optional<qint64> root = rootId())
        return *root;
    addRow(0, {QStringLiteral("报表"), QStringLiteral("REPORT"), false, QVariant(), QVariant()});
    return rootId().value();
}

// values: proname, proval, proif, proval1, proval2; into the open recordset.
void ReportStore::addRow(qint64 parid, const QVariantList& values) {
    static const char* const columns[] = {"proname", "proval", "proif", "proval1", "proval2"};
    m_rs.AddNew();
    m_rs.SetValue(QStringLiteral("parid"), parid);
    for (qsizetype i = 0; i < values.size(); ++i)
        m_rs.SetValue(QLatin1String(columns[i]), values.at(i));
    m_rs.Update();
}

void ReportStore::addChildren(qint64 reportId, const ReportDraft& report) {
    open(rowSql("parid", reportId));
    for (qsizetype k = 0; k < report.display.size(); ++k)
        addRow(reportId, {report.display.at(k), entryOrNull(report.sort, k), false,
                          entryOrNull(report.sum, k), entryOrNull(report.group, k)});
    for (int r = 0; r < report.conditionCount && r < MaxConditions; ++r) {
        const Mdlx::ConditionRow& c = report.conditions[std::size_t(r)];
        addRow(reportId,
               {c[Mdlx::Connective], c[Mdlx::Item], true, c[Mdlx::Operator], c[Mdlx::Value]});
    }
}

QString ReportStore::add(const ReportDraft& report) {
    return transact([&](Connection&) {
        const qint64 root = ensureRoot();
        if (find(root, report.name))
            throw Refusal{NameTaken};
        addRow(root, {report.name, SuiteLib::instance().TableName, true, QVariant(), QVariant()});
        addChildren(find(root, report.name).value(), report);
    });
}

QString ReportStore::modify(const QString& oldName, const ReportDraft& report) {
    return transact([&](Connection& connection) {
        const std::optional<qint64> root = rootId();
        const std::optional<qint64> id = root ? find(*root, oldName) : std::nullopt;
        if (!id)
            throw Refusal{Vanished};
        if (report.name != oldName && find(*root, report.name))
            throw Refusal{NameTaken};
        open(rowSql("proid", *id));
        m_rs.SetValue(QStringLiteral("proname"), report.name);
        m_rs.SetValue(QStringLiteral("proval"), SuiteLib::instance().TableName);
        m_rs.SetValue(QStringLiteral("proif"), true);
        m_rs.Update();
        connection.Execute(QStringLiteral("delete from zdb1 where parid=") + QString::number(*id));
        addChildren(*id, report);
    });
}

QString ReportStore::remove(const QString& name) {
    return transact([&](Connection& connection) {
        const std::optional<qint64> root = rootId();
        const std::optional<qint64> id = root ? find(*root, name) : std::nullopt;
        if (!id)
            throw Refusal{Vanished};
        connection.Execute(QStringLiteral("delete from zdb1 where proid=") + QString::number(*id));
        connection.Execute(QStringLiteral("delete from zdb1 where parid=") + QString::number(*id));
    });
}

QString ReportStore::nameRefusal(const QString& typed) {
    if (typed.trimmed().isEmpty())
        return QStringLiteral("请输入报表名称！");
    if (typed == vb::NumberText(vb::Val(typed)) || typed == QStringLiteral("报表名称:"))
        return QStringLiteral("无效报表名称！");
    return {};
}

QString ReportStore::workbookPath(const QString& name) {
    return SuiteLib::instance().ReportFolder + u'/' + name + QStringLiteral(".vts");
}

bool ReportStore::hasWorkbook(const QString& name) {
    return QFileInfo::exists(workbookPath(name.trimmed()));
}

} // namespace quill
