#include "windows/designer/ReportCommands.h"

#include "suite/SuiteLib.h"
#include "windows/designer/ItemLists.h"

namespace quill {

namespace {

constexpr int MaxDisplayItems = 100;

ReportCommands::Result refused(const QString& status, bool focusName = false) {
    return {status, focusName, false, QString()};
}

QStringList fieldsOf(const QStringList& captions) {
    const SuiteLib& lib = SuiteLib::instance();
    QStringList fields;
    for (const QString& caption : captions)
        fields << lib.ColumnLookup(caption.trimmed());
    return fields;
}

// True when `name` is an entry of the list other than `except`.
bool listed(const QString& name, const QStringList& entries, int except = -1) {
    for (int i = 0; i < entries.size(); ++i) {
        if (i != except && entries.at(i) == name)
            return true;
    }
    return false;
}

} // namespace

ReportCommands::ReportCommands(Recordset& recordset)
    : m_store(recordset) {}

ReportDraft ReportCommands::draftOf(const QString& name, const ItemLists& lists,
                                    const ConditionGrid::Shown& conditions) {
    ReportDraft d;
    d.name = name;
    d.display = fieldsOf(lists.Display);
    d.sort = fieldsOf(lists.Sort);
    d.sum = fieldsOf(lists.Sum);
    d.group = fieldsOf(lists.Group);
    d.conditions = conditions.rows;
    d.conditionCount = conditions.count;
    for (int r = 0; r < d.conditionCount; ++r) {
        QString& item = d.conditions[std::size_t(r)][Mdlx::Item];
        item = SuiteLib::instance().ColumnLookup(item.trimmed());
    }
    return d;
}

std::optional<ReportCommands::Result> ReportCommands::listRefusal(const ItemLists& lists) {
    if (lists.Display.isEmpty())
        return refused(QStringLiteral("请选定显示项目！"));
    if (lists.Display.size() > MaxDisplayItems)
        return refused(QStringLiteral("选定显示项目的数量不能超过100个！"));
    return std::nullopt;
}

std::optional<ReportCommands::Result> ReportCommands::nameRefusal(const QString& typed) {
    const QString refusal = ReportStore::nameRefusal(typed);
    if (!refusal.isEmpty())
        return refused(refusal, true);
    return std::nullopt;
}

ReportCommands::Result ReportCommands::write(const QString& status, const QString& name,
                                             const QString& done) {
    if (!status.isEmpty())
        return refused(status, status == QStringLiteral("已有此报表名称！"));
    return {done, false, true, name};
}

ReportCommands::Result ReportCommands::add(const QString& typed, const QStringList& entries,
                                           const ItemLists& lists, const ReadGrid& readGrid) {
    if (auto r = listRefusal(lists))
        return *r;
    if (auto r = nameRefusal(typed))
        return *r;
    const QString name = typed.trimmed();
    // The trimmed name: " 月报" would otherwise pass beside 月报.vts.
    if (ReportStore::hasWorkbook(name))
        return refused(QStringLiteral("该报表名称已被系统锁定,不能使用."), true);
    if (listed(name, entries))
        return refused(QStringLiteral("已有此报表名称！"), true);
    const ReportDraft draft = draftOf(name, lists, readGrid());
    return write(m_store.add(draft), name, QStringLiteral("添加完成！"));
}

ReportCommands::Result ReportCommands::modify(const QString& typed, const QStringList& entries,
                                              int selected, const ItemLists& lists,
                                              const ReadGrid& readGrid) {
    if (selected == 0)
        return refused(QStringLiteral("此项不能修改！"));
    if (auto r = listRefusal(lists))
        return *r;
    if (selected < 0 || selected >= entries.size())
        return refused(QStringLiteral("请指定要修改的报表！"));
    if (auto r = nameRefusal(typed))
        return *r;
    const QString old = entries.at(selected);
    if (ReportStore::hasWorkbook(old))
        return refused(QStringLiteral("定制报表,不能修改."), true);
    const QString name = typed.trimmed();
    // Renaming onto a workbook would make it a template report by accident.
    if (ReportStore::hasWorkbook(name))
        return refused(QStringLiteral("该报表名称已被系统锁定,不能使用."), true);
    if (listed(name, entries, selected))
        return refused(QStringLiteral("已有此报表名称！"), true);
    const ReportDraft draft = draftOf(name, lists, readGrid());
    return write(m_store.modify(old, draft), name, QStringLiteral("修改完成！"));
}

ReportCommands::Result ReportCommands::remove(const QStringList& entries, int selected) {
    if (selected == 0)
        return refused(QStringLiteral("此项不能删除！"));
    if (selected < 0 || selected >= entries.size())
        return refused(QStringLiteral("请指定要删除的报表！"));
    return write(m_store.remove(entries.at(selected)), QString(), QStringLiteral("删除完成！"));
}

} // namespace quill
