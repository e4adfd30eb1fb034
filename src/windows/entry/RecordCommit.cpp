#include "windows/entry/RecordCommit.h"

#include "platform/db/DbError.h"
#include "platform/db/Transaction.h"
#include "platform/grid/F1Book.h"
#include "platform/vb/Format.h"
#include "platform/vb/IsDate.h"
#include "suite/SuiteLib.h"
#include "windows/entry/RecordChecks.h"
#include "windows/entry/RecordEntry.h"
#include "windows/entry/RecordValues.h"

#include <algorithm>
#include <map>

namespace quill {

namespace {

const QString Conflict = QStringLiteral("记录已被其他用户修改或删除");

} // namespace

RecordCommit::RecordCommit(RecordEntry& entry, F1Book* mainSheet, int sheetRecords)
    : m_entry(entry)
    , m_sheet(mainSheet)
    , m_sheetRecords(sheetRecords) {}

RecordCommit::Outcome RecordCommit::run(const std::vector<bool>& required,
                                        const std::vector<bool>& unique, bool clearAfterAdd) {
    SuiteLib& lib = SuiteLib::instance();
    const RecordEntry::Mode mode = RecordEntry::modeOf(lib.CommandName);
    m_entry.grid().SetActiveCell(1, 1);
    // Without a record on the grid (a find that found nothing) a modify or
    // delete would hit a record the user never saw.
    if ((mode == RecordEntry::Mode::Modify || mode == RecordEntry::Mode::Delete) &&
        !m_entry.recordShown())
        return {QStringLiteral("没有记录！")};

    RecordChecks checks(m_entry);
    for (int i = 1; i <= m_entry.fieldCount(); ++i) {
        const auto tick = [i](const std::vector<bool>& ticks) {
            return std::size_t(i) <= ticks.size() && ticks[std::size_t(i - 1)];
        };
        if (auto failed = checks.checkRow(i, tick(required), tick(unique)))
            return {*failed};
    }
    copyGrid();
    for (int i = 1; i <= m_entry.fieldCount(); ++i) {
        const TypeCode code = m_entry.field(i).code;
        const QString value = m_texts[std::size_t(i - 1)].second.trimmed();
        if ((code == TypeCode::T || code == TypeCode::Y) && !value.isEmpty() && !vb::IsDate(value))
            return {QStringLiteral("日期或时间有误！")};
    }

    QString failure;
    try {
        failure = write();
    } catch (const DbError& e) {
        if (e.message() == Conflict)
            return {Conflict};
        const bool anyUnique = std::find(unique.begin(), unique.end(), true) != unique.end();
        return {
            (anyUnique ? QStringLiteral("唯一检验没通过！") : QStringLiteral("请设置唯一检验！")) +
            QLatin1Char(' ') + e.message()};
    }
    if (!failure.isEmpty())
        return {failure};

    switch (mode) {
    case RecordEntry::Mode::Add:
        appendToSheet();
        if (clearAfterAdd)
            m_entry.clearValues();
        return {QStringLiteral("添加完成！"), false, true};
    case RecordEntry::Mode::Modify:
        m_entry.XS();
        return {QStringLiteral("修改完成！"), false, true};
    case RecordEntry::Mode::Delete:
        --lib.CurrentRow;
        return {QStringLiteral("删除完成！"), true, true};
    case RecordEntry::Mode::Other:
        break;
    }
    return {};
}

void RecordCommit::copyGrid() {
    const F1Book& grid = m_entry.grid();
    for (int r = 0; r < int(m_texts.size()); ++r) {
        QString value = grid.CellText(r + 1, 2);
        if (r < m_entry.fieldCount()) {
            const TypeCode code = m_entry.field(r + 1).code;
            if (code == TypeCode::T)
                value = vb::Format(QVariant(value), QStringLiteral("yyyy-mm-dd"));
            else if (code == TypeCode::Y)
                value = vb::Format(QVariant(value), QStringLiteral("hh:nn:ss"));
        }
        m_texts[std::size_t(r)] = {grid.CellText(r + 1, 1), value};
    }
}

// Every value is worked out before the transaction begins, so a refused
// value writes nothing; the write itself is all or nothing.
QString RecordCommit::write() {
    SuiteLib& lib = SuiteLib::instance();
    const RecordEntry::Mode mode = RecordEntry::modeOf(lib.CommandName);
    if (mode == RecordEntry::Mode::Other)
        return QString();
    Recordset& data = m_entry.data();
    std::map<int, QVariant> values;
    if (mode != RecordEntry::Mode::Delete) {
        const RecordValues rows(m_entry);
        for (int k = 1; k <= m_entry.fieldCount(); ++k) {
            QString refusal;
            const std::optional<QVariant> value = rows.written(k, &refusal);
            if (!refusal.isEmpty())
                return refusal;
            if (value)
                values[k - 1] = *value;
        }
    }
    Transaction transaction(*lib.Connection);
    try {
        if (mode == RecordEntry::Mode::Delete) {
            data.Delete();
        } else {
            if (mode == RecordEntry::Mode::Add)
                data.AddNew();
            for (const auto& [field, value] : values)
                data.SetValue(field, value);
            data.Update();
        }
        transaction.commit();
    } catch (const DbError&) {
        data.CancelUpdate();
        throw;
    }
    return QString();
}

void RecordCommit::appendToSheet() {
    if (!m_sheet)
        return;
    // The sheet grows by a row when it shows a record already; an empty
    // result's one empty row takes the first record.
    if (m_sheetRecords > 0 || m_sheet->LastRow() < 1)
        m_sheet->SetLastRow(m_sheet->LastRow() + 1);
    const int row = m_sheet->LastRow();
    for (int k = 1; k <= m_entry.fieldCount(); ++k) {
        const QString& text = m_texts[std::size_t(k - 1)].second;
        m_sheet->SetCellText(row, k, text.isEmpty() ? QString() : u'\'' + text);
    }
    ++m_sheetRecords;
    if (row >= 16)
        m_sheet->SetTopRow(row - 15);
}

} // namespace quill
