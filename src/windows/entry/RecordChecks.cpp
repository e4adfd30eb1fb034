#include "windows/entry/RecordChecks.h"

#include "foundation/Dialect.h"
#include "foundation/ValueCheck.h"
#include "suite/SuiteLib.h"
#include "windows/entry/RecordEntry.h"
#include "windows/entry/RecordValues.h"
#include "windows/entry/UniqueCondition.h"

namespace quill {

RecordChecks::RecordChecks(RecordEntry& entry)
    : m_entry(entry) {}

std::optional<QString> RecordChecks::checkRow(int row, bool required, bool unique) {
    const EntryField& f = m_entry.field(row);
    const QString text = m_entry.valueText(row);
    if (required && text.isEmpty())
        return QStringLiteral("为必填项目");
    if (auto refused = checkValue(f.type, f.width, text, CheckStyle::EntryWindow))
        return refused;
    QString refusal;
    const QVariant value = RecordValues(m_entry).after(row, &refusal);
    if (!refusal.isEmpty())
        return refusal;
    if (unique && anotherHolds(row, value))
        return QStringLiteral("已有此") + f.caption;
    return std::nullopt;
}

bool RecordChecks::anotherHolds(int row, const QVariant& value) {
    SuiteLib& lib = SuiteLib::instance();
    const Dialect dialect = Dialect::fromKind(lib.DatabaseKind);
    Recordset& rs = m_entry.lookup();
    rs.Close();
    rs.Open(lib.SqlSelect + lib.SqlFrom + QStringLiteral(" where ") +
                UniqueCondition::of(m_entry.field(row).name, value, dialect),
            *lib.Connection);
    // The record being modified or deleted holds its own value.
    const RecordEntry::Mode mode = RecordEntry::modeOf(lib.CommandName);
    const std::optional<Recordset::RowIdentity> itself =
        (mode == RecordEntry::Mode::Modify || mode == RecordEntry::Mode::Delete) &&
                m_entry.recordShown()
            ? m_entry.currentIdentity()
            : std::nullopt;
    for (; !rs.Eof(); rs.MoveNext()) {
        const std::optional<Recordset::RowIdentity> other = rs.Identity();
        if (!itself || !other || other->row != itself->row)
            return true;
    }
    return false;
}

} // namespace quill
