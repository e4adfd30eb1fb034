#include "windows/manage/SheetEditor.h"

#include "foundation/TypeCode.h"
#include "foundation/ValueCheck.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"
#include "platform/grid/F1Book.h"
#include "platform/ui/Ui.h"
#include "platform/vb/PlainText.h"
#include "suite/SettingsError.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/SheetEntryValue.h"

#include <QDateTime>

#include <QVariantList>

#include <algorithm>

namespace quill {

namespace {

const QString SystemPrompt = QStringLiteral("系统提示");
const QString ConflictMessage = QStringLiteral("记录已被其他用户修改或删除");

// A row the save cannot write, with the reason shown to the user.
struct RowRefused {
    QString reason;
};

bool listed(const QString& list, const QString& heading) {
    return !heading.isEmpty() && list.contains(heading);
}

bool isEmployeeTable() {
    return SuiteLib::instance().TableName == QLatin1String("YGZL");
}

} // namespace

SheetEditor::SheetEditor(F1Book& book, const ResultSheetRenderer& renderer,
                         std::function<Recordset&()> data, bool& editMode)
    : m_book(book)
    , m_renderer(renderer)
    , m_data(std::move(data))
    , m_editMode(editMode) {}

bool SheetEditor::isEditing() const {
    return m_editMode;
}

int SheetEditor::recordRows() const {
    return std::min(m_renderer.RecordCount(), ResultSheetRenderer::MaxRows);
}

void SheetEditor::edit() {
    SuiteLib& lib = SuiteLib::instance();
    if (lib.AuditFlag == u"是") {
        MsgBox(QStringLiteral("该期数据已审核"));
        return;
    }
    if (m_renderer.IsTemplateSheet()) {
        MsgBox(QStringLiteral("特殊模版，不可编辑"));
        return;
    }
    if (lib.CurrentRow == 0 || m_renderer.RecordCount() == 0) {
        MsgBox(QStringLiteral("没有记录可以编辑"));
        return;
    }
    m_mark = Sheet::mark();
    m_before = m_book.sheet();
    writeCopy(lib.WorkFolder + QStringLiteral("/log"), *m_before);
    m_editMode = true;
    setTyping(true);
    selectionChange();
}

void SheetEditor::setTyping(bool on) {
    m_book.SetAllowCellEditing(on);
    m_book.SetAllowEditB(on);
    m_book.SetAllowEditC(on);
}

void SheetEditor::leaveEditing() {
    setTyping(false);
    m_editMode = false;
    m_before.reset();
}

void SheetEditor::rendered() {
    m_editMode = false;
    m_before.reset();
    m_conflicts.clear();
}

bool SheetEditor::mayDiscard() {
    if (!isEditing())
        return true;
    if (MsgBox(QStringLiteral("资料已变动,真的放弃保存?"), MsgButtons::OkCancel, SystemPrompt) !=
        MsgResult::Ok)
        return false;
    leaveEditing();
    return true;
}

bool SheetEditor::typable(int row, int col) const {
    return row <= recordRows() && columnTypable(col);
}

bool SheetEditor::columnTypable(int col) const {
    const SuiteLib& lib = SuiteLib::instance();
    const QString heading = m_book.ColHeading(col);
    if (lib.ExtraFilter.contains(heading))
        return false;
    // Typed text that would never be written is not taken at all: the totals
    // row, the employee number that identifies a row, the read-only columns.
    if (isEmployeeTable() && col == 1)
        return false;
    return !listed(lib.ReadOnlyColumns1, heading) && !listed(lib.ReadOnlyColumns2, heading);
}

void SheetEditor::selectionChange() {
    if (m_renderer.IsTemplateSheet() || m_book.SelRow() < 1 || !isEditing())
        return;
    m_book.SetAllowCellEditing(typable(m_book.SelRow(), m_book.SelCol()));
}

void SheetEditor::endEdit(QString& text) {
    if (!text.isEmpty() && !text.startsWith(u'\''))
        text.prepend(u'\'');
}

std::vector<SheetEditor::Cell> SheetEditor::changedCells() const {
    std::vector<Cell> changed;
    if (!m_before)
        return changed;
    const Sheet& now = m_book.sheet();
    const Sheet& before = *m_before;
    const int rows = std::min(recordRows(), now.rowCount());
    // A cell that may not be typed is never written, however it changed
    // (Delete clears a whole selection).
    std::vector<int> cols;
    for (int c = 0; c < now.columnCount(); ++c) {
        if (columnTypable(c + 1))
            cols.push_back(c);
    }
    // Only rows changed since editing began are compared, in place: saving
    // one typed cell must not cost what saving the whole sheet does.
    for (int r = 0; r < rows; ++r) {
        if (!now.changedSince(r, m_mark))
            continue;
        for (int c : cols) {
            const bool known = r < before.rowCount() && c < before.columnCount();
            if (!known || now.textView(r, c) != before.textView(r, c))
                changed.push_back({r + 1, c + 1});
        }
    }
    return changed;
}

std::optional<std::pair<SheetEditor::Cell, QString>>
SheetEditor::refusal(const std::vector<Cell>& changed) const {
    const SuiteLib& lib = SuiteLib::instance();
    std::vector<Cell> byColumn = changed;
    std::stable_sort(byColumn.begin(), byColumn.end(),
                     [](const Cell& a, const Cell& b) { return a.col < b.col; });
    for (const Cell& cell : byColumn) {
        const QString heading = m_book.ColHeading(cell.col);
        if (const std::optional<QString> message =
                checkValue(lib.ColumnType(heading), lib.ColumnWidth(heading),
                           m_book.CellText(cell.row, cell.col), CheckStyle::GridSave))
            return std::pair{cell, *message};
    }
    return std::nullopt;
}

void SheetEditor::save() {
    if (m_renderer.IsTemplateSheet()) {
        MsgBox(QStringLiteral("特殊模版，不可保存"));
        return;
    }
    // Editing is judged by the command, not by the grid's typing switch,
    // which the selection turns off over columns that may not be typed.
    if (!isEditing() || m_renderer.RecordCount() == 0) {
        MsgBox(QStringLiteral("没有编辑，无须保存"));
        return;
    }
    // The cell being typed is taken as it stands.
    if (m_book.isEditing())
        m_book.SetActiveCell(m_book.ActiveRow(), m_book.ActiveCol());

    const std::vector<Cell> changed = changedCells();
    if (const auto refused = refusal(changed)) {
        MsgBox(refused->second);
        const Cell& at = refused->first;
        m_book.SetSelection(at.row, at.col, at.row, at.col);
        m_book.setFocus();
        return;
    }
    if (MsgBox(QStringLiteral("是否真的保存？"), MsgButtons::YesNo, SystemPrompt) != MsgResult::Yes)
        return;
    if (!write(changed))
        return;
    // The log copy is the sheet as it was before, brought up to date.
    Sheet log = std::move(*m_before);
    log.catchUp(m_book.sheet(), m_mark);
    leaveEditing();
    writeCopy(SuiteLib::instance().HomeFolder + QStringLiteral("/Log"), std::move(log));
    MsgBox(QStringLiteral("保存完毕"));
}

bool SheetEditor::write(const std::vector<Cell>& changed) {
    Recordset& data = m_data();
    int row = 0;
    // The rows written so far, with their values as read: a failure rolls
    // them back in the database but not in the recordset.
    std::vector<std::pair<int, QVariantList>> written;
    try {
        Transaction transaction(*SuiteLib::instance().Connection);
        int at = 1; // the record the recordset is on
        data.MoveFirst();
        for (auto it = changed.begin(); it != changed.end();) {
            row = it->row;
            std::vector<int> cols;
            for (; it != changed.end() && it->row == row; ++it)
                cols.push_back(it->col);
            for (; at < row; ++at)
                data.MoveNext();
            if (m_conflicts.contains(row))
                throw RowRefused{ConflictMessage};
            written.emplace_back(row, valuesOf(data));
            writeRow(row, cols);
        }
        row = 0;
        transaction.commit();
        return true;
    } catch (const RowRefused& e) {
        failed(row, e.reason);
    } catch (const DbError& e) {
        failed(row, e.message());
    }
    // The failing row itself kept the values it was read with.
    if (row > 0 && !written.empty())
        written.pop_back();
    resync(written);
    return false;
}

void SheetEditor::resync(const std::vector<std::pair<int, QVariantList>>& written) {
    if (written.empty())
        return;
    const SuiteLib& lib = SuiteLib::instance();
    Recordset& data = m_data();
    try {
        Recordset fresh;
        fresh.SetMaxRecords(data.MaxRecords());
        fresh.Open(lib.QuerySql, *lib.Connection);
        if (fresh.RecordCount() != data.RecordCount())
            return; // records came or went: the next save refuses what it cannot match
        std::set<int> changedSince;
        auto w = written.begin();
        data.MoveFirst();
        for (int r = 1; !fresh.Eof(); ++r) {
            const QVariantList read =
                w != written.end() && w->first == r ? (w++)->second : valuesOf(data);
            if (valuesOf(fresh) != read)
                changedSince.insert(r);
            fresh.MoveNext();
            data.MoveNext();
        }
        data.Close();
        data.Open(lib.QuerySql, *lib.Connection);
        m_conflicts.merge(changedSince);
    } catch (const DbError&) {
        // Left as it was: the rows written before are refused as changed.
    }
}

QVariantList SheetEditor::valuesOf(const Recordset& data) {
    QVariantList values;
    values.reserve(data.FieldCount());
    for (int i = 0; i < data.FieldCount(); ++i)
        values << data.Value(i);
    return values;
}

void SheetEditor::failed(int row, const QString& reason) {
    m_data().CancelUpdate();
    const QString unsaved = QStringLiteral("\n本次修改全部没有写入。");
    MsgBox(row > 0 ? QStringLiteral("第%1行未能保存：%2").arg(row).arg(reason) + unsaved
                   : QStringLiteral("保存未能完成：%1").arg(reason) + unsaved);
    if (row > 0) {
        m_book.SetSelection(row, 1, row, m_book.LastCol());
        m_book.setFocus();
    }
}

void SheetEditor::writeRow(int row, const std::vector<int>& cols) {
    const SuiteLib& lib = SuiteLib::instance();
    Recordset& data = m_data();
    // An employee row is written only under its own number.
    if (isEmployeeTable() &&
        vb::PlainText(data.Value(QStringLiteral("memberid"))) != m_book.CellText(row, 1))
        throw RowRefused{QStringLiteral("第1列不是该记录的工号")};
    for (int col : cols) {
        const QString heading = m_book.ColHeading(col);
        if (listed(lib.ReadOnlyColumns1, heading) || listed(lib.ReadOnlyColumns2, heading))
            continue;
        const TypeCode code = typeCodeOf(lib.ColumnType(heading));
        const QString text = m_book.CellText(row, col);
        switch (code) {
        case TypeCode::S:
            data.SetValue(col - 1, textValue(col, text));
            break;
        case TypeCode::T:
        case TypeCode::Y:
        case TypeCode::D:
        case TypeCode::I:
            data.SetValue(col - 1, sheetEntryValue(code, text));
            break;
        default:
            break;
        }
    }
    data.Update();
}

QVariant SheetEditor::textValue(int col, const QString& text) const {
    SuiteLib& lib = SuiteLib::instance();
    const Recordset& data = m_data();
    const QString heading = m_book.ColHeading(col);
    const long level = lib.OrgLevel(heading);
    if (level == 0)
        return sheetEntryValue(TypeCode::S, text);
    if (text.trimmed().isEmpty())
        return QVariant();
    const auto code = [&data](const char* field) {
        const int i = data.FieldIndex(QLatin1String(field));
        return i < 0 ? QString() : vb::PlainText(data.Value(i));
    };
    QString unit;
    if (level == 3) {
        unit = lib.DeptCode(heading, text);
    } else {
        const QString dept = lib.DeptName(QStringLiteral("部门"), code("DEPART"));
        unit = level == 2 ? lib.TeamCode(dept, text)
                          : lib.GroupCode(dept, lib.TeamName(dept, code("GROUP0")), text);
    }
    // A name that is no unit would store no unit at all.
    if (unit.isEmpty())
        throw RowRefused{QStringLiteral("“%1”不是有效的%2").arg(text.trimmed(), heading)};
    return unit;
}

QString SheetEditor::logName() {
    const QDateTime now = QDateTime::currentDateTime();
    const auto two = [](int n) { return SuiteLib::PadNumber(QString::number(n), u'0', 2); };
    return SuiteLib::instance().UserName + two(now.date().month()) + two(now.date().day()) +
           QLatin1Char('-') + two(now.time().hour()) + two(now.time().minute()) +
           two(now.time().second());
}

void SheetEditor::writeCopy(const QString& folder, Sheet sheet) {
    m_copies.write(std::move(sheet), folder, logName() + QStringLiteral(".xls"));
}

void SheetEditor::finishCopies() {
    m_copies.finish();
}

void SheetEditor::saveWidths() {
    SuiteLib& lib = SuiteLib::instance();
    if (m_renderer.TemplateParam(1) != 0 || m_renderer.RecordCount() <= 0 ||
        m_book.SelectionText().isEmpty())
        return;
    const QString settings = lib.settingsPath();
    const QString prefix = lib.TableName + QLatin1Char('-');
    const auto store = [&](const QString& key, const QString& value) {
        try {
            lib.WriteSetting(QStringLiteral("COLUMN"), key, value, settings);
        } catch (const SettingsError&) {
            // A width that cannot be stored keeps the one stored before.
        }
    };
    store(prefix + QStringLiteral("OK"), QStringLiteral("OK"));
    for (int c = 1; c <= m_book.LastCol(); ++c) {
        const QString field = lib.ColumnLookup(m_book.ColHeading(c));
        store(prefix + field,
              field.isEmpty() ? QStringLiteral("3072") : QString::number(m_book.ColWidthOf(c)));
    }
}

} // namespace quill
