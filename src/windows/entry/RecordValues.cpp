#include "windows/entry/RecordValues.h"

#include "platform/db/Recordset.h"
#include "platform/vb/ParseDate.h"
#include "platform/vb/Val.h"
#include "suite/SuiteLib.h"
#include "windows/entry/RecordEntry.h"

#include <cmath>

namespace quill {

RecordValues::RecordValues(const RecordEntry& entry)
    : m_entry(entry) {}

std::optional<QVariant> RecordValues::written(int row, QString* refusal) const {
    const SuiteLib& lib = SuiteLib::instance();
    const EntryField& f = m_entry.field(row);
    if (listedIn(lib.ReadOnlyColumns1, f.caption) || listedIn(lib.ReadOnlyColumns2, f.caption))
        return std::nullopt;
    if (RecordEntry::modeOf(lib.CommandName) != RecordEntry::Mode::Add && !m_entry.edited(row))
        return std::nullopt;
    switch (f.code) {
    case TypeCode::S:
    case TypeCode::T:
    case TypeCode::Y:
    case TypeCode::D:
    case TypeCode::I:
    case TypeCode::B:
        return fromText(row, refusal);
    default:
        return std::nullopt;
    }
}

QVariant RecordValues::after(int row, QString* refusal) const {
    if (const std::optional<QVariant> value = written(row, refusal))
        return *value;
    const Recordset& data = m_entry.data();
    if (RecordEntry::modeOf(SuiteLib::instance().CommandName) == RecordEntry::Mode::Add ||
        data.Eof() || data.Bof())
        return QVariant();
    return data.Value(row - 1);
}

QVariant RecordValues::fromText(int row, QString* refusal) const {
    const EntryField& f = m_entry.field(row);
    const QString text = m_entry.valueText(row);
    const QString trimmed = text.trimmed();
    switch (f.code) {
    case TypeCode::T:
    case TypeCode::Y: {
        if (trimmed.isEmpty())
            return QVariant();
        const std::optional<QDateTime> at = vb::ParseDate(trimmed);
        if (!at) {
            *refusal = QStringLiteral("日期或时间有误！");
            return QVariant();
        }
        return f.code == TypeCode::T ? QVariant(at->date()) : QVariant(at->time());
    }
    case TypeCode::D:
        return trimmed.isEmpty() ? 0.0 : vb::Val(text);
    case TypeCode::I: {
        if (trimmed.isEmpty())
            return qlonglong(0);
        // Rounded half to even, as a whole-number field takes a fraction; a
        // number beyond any whole-number column is left for the database to
        // refuse.
        const double whole = std::nearbyint(vb::Val(text));
        return std::abs(whole) < 9.0e18 ? QVariant(qlonglong(whole)) : QVariant(whole);
    }
    case TypeCode::B:
        return trimmed == QLatin1String("True");
    default:
        return text.isEmpty() ? QVariant() : organisationCode(row, text, refusal);
    }
}

QVariant RecordValues::organisationCode(int row, const QString& name, QString* refusal) const {
    SuiteLib& lib = SuiteLib::instance();
    const EntryField& f = m_entry.field(row);
    QString code;
    switch (f.orgLevel) {
    case 3:
        code = lib.DeptCode(f.caption, name);
        break;
    case 2:
        code = lib.TeamCode(m_entry.departmentName(), name);
        break;
    case 1:
        code = lib.GroupCode(m_entry.departmentName(), m_entry.teamName(), name);
        break;
    default:
        return name;
    }
    // A name that is no unit would be stored as no unit at all.
    if (code.isEmpty() && !name.trimmed().isEmpty())
        *refusal = QStringLiteral("“%1”不是有效的%2").arg(name.trimmed(), f.caption);
    return code.isEmpty() ? QVariant() : QVariant(code);
}

} // namespace quill
