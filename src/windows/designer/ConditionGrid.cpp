#include "windows/designer/ConditionGrid.h"

#include "foundation/ReservedField.h"
#include "foundation/ValueLists.h"
#include "platform/grid/F1Book.h"
#include "platform/vb/Trim.h"
#include "suite/SuiteLib.h"

#include <algorithm>
#include <array>

namespace quill {

namespace {

const std::array<QString, ConditionGrid::Cols> Headings = {
    QStringLiteral("连接词"), QStringLiteral("项目"), QStringLiteral("运算符"),
    QStringLiteral("查询值")};
// Column widths in 1/256 of a character: the value column takes the most.
constexpr std::array<int, ConditionGrid::Cols> Widths = {2560, 5120, 2560, 9472};
const QString Connectives = QStringLiteral("或者并且");

enum Level { Other = 0, GroupLevel = 1, TeamLevel = 2, DeptLevel = 3 };

} // namespace

const QString ConditionGrid::SheetTitle = QStringLiteral("查询条件");

ConditionGrid::ConditionGrid(F1Book& book)
    : m_book(book) {}

void ConditionGrid::setUp() {
    m_book.SetObjVisible(DropDown, false);
    m_book.SetLastRow(Rows);
    m_book.SetLastCol(Cols);
    for (int c = 1; c <= Cols; ++c) {
        m_book.SetColHeading(c, Headings[std::size_t(c - 1)]);
        m_book.SetColWidthOf(c, Widths[std::size_t(c - 1)]);
    }
    m_book.SetSheetName(1, SheetTitle);
}

QString ConditionGrid::text(int row, int col) const {
    return row < 1 ? QString() : m_book.CellText(row, col);
}

void ConditionGrid::putText(int row, int col, const QString& text) {
    // The mark keeps a text a text, whatever it looks like ("=x", "100").
    m_book.SetCellText(row, col, text.isEmpty() ? QString() : QLatin1Char('\'') + text);
}

void ConditionGrid::clear() {
    for (int r = 1; r <= Rows; ++r) {
        for (int c = 1; c <= Cols; ++c)
            m_book.SetCellText(r, c, QString());
    }
}

// The captions of the table's items, in dictionary order, without the
// record date and period columns.
std::optional<QStringList> ConditionGrid::itemCaptions() const {
    const SuiteLib& lib = SuiteLib::instance();
    const long n = lib.ColumnCount();
    if (n <= 0)
        return std::nullopt;
    QStringList captions;
    for (long k = 1; k <= n; ++k) {
        if (!isReservedRangeField(lib.ColumnAttribute(1, k)))
            captions << lib.ColumnAttribute(0, k);
    }
    return captions;
}

ConditionGrid::Offer ConditionGrid::offerFor(int row, int col) const {
    switch (col) {
    case 1:
        // The first condition has no connective.
        if (row >= 2)
            return {QStringList{QStringLiteral("或者"), QStringLiteral("并且")}, std::nullopt};
        return {};
    case 2:
        return {itemCaptions(), std::nullopt};
    case 3:
        return {QStringList{QStringLiteral("="), QStringLiteral(">"), QStringLiteral("<"),
                            QStringLiteral(">="), QStringLiteral("<="), QStringLiteral("<>"),
                            QStringLiteral("LIKE")},
                std::nullopt};
    case 4:
        return valueOffer(row);
    default:
        return {};
    }
}

ConditionGrid::Offer ConditionGrid::valueOffer(int row) const {
    const SuiteLib& lib = SuiteLib::instance();
    const QString item = vb::Trim(text(row, 2));
    if (item.isEmpty())
        return {};
    if (item == lib.ColumnLookup(QStringLiteral("team"))) {
        if (row <= 2)
            return {std::nullopt, QStringLiteral("请先确定班名和部门！")};
        if (text(row - 1, 2).isEmpty() || text(row - 2, 2).isEmpty())
            return {};
        return {ValueLists::groups(vb::Trim(text(row - 2, 4)), vb::Trim(text(row - 1, 4))),
                std::nullopt};
    }
    if (item == lib.ColumnLookup(QStringLiteral("group0"))) {
        if (row == 1)
            return {std::nullopt, QStringLiteral("请先确定部门！")};
        if (text(row - 1, 2).isEmpty())
            return {};
        return {ValueLists::teams(vb::Trim(text(row - 1, 4))), std::nullopt};
    }
    return {ValueLists::pickList(item), std::nullopt};
}

std::optional<QString> ConditionGrid::Click(int row, int col) {
    if (row < 1 || col < 1)
        return std::nullopt;
    m_row = row;
    m_col = col;
    for (int n = m_book.ObjItemCount(DropDown); n > 0; --n)
        m_book.ObjDeleteItem(DropDown, 0);
    const Offer offer = offerFor(row, col);
    if (!offer.entries) {
        m_book.SetObjVisible(DropDown, false);
        return offer.message;
    }
    m_book.ObjSetPos(DropDown, float(col - 1), float(row - 1), float(col), float(row + 5));
    m_book.SetObjVisible(DropDown, true);
    m_book.ObjAddItem(DropDown, QStringLiteral(" "));
    for (const QString& entry : *offer.entries)
        m_book.ObjAddItem(DropDown, entry);
    // The cell's own entry is the one chosen; with none, a click elsewhere
    // must not write anything into the cell.
    const QString cell = text(row, col);
    int chosen = -1;
    if (!vb::Trim(cell).isEmpty()) {
        for (int i = 0; i < m_book.ObjItemCount(DropDown) && chosen < 0; ++i) {
            if (m_book.ObjItemText(DropDown, i) == cell)
                chosen = i;
        }
    }
    m_book.SetObjValue(DropDown, chosen);
    return std::nullopt;
}

void ConditionGrid::SelChange() {
    const int chosen = m_book.ObjValue(DropDown);
    if (m_book.ObjVisible(DropDown) && chosen >= 0 && m_row >= 1 && m_col >= 1)
        putText(m_row, m_col, m_book.ObjItemText(DropDown, chosen));
    m_book.SetObjVisible(DropDown, false);
}

void ConditionGrid::EndEdit(QString& editString) {
    if (!editString.startsWith(QLatin1Char('\'')))
        editString.prepend(QLatin1Char('\''));
}

void ConditionGrid::DRCX() const {
    SuiteLib& lib = SuiteLib::instance();
    Mdlx& m = Mdlx::instance();
    m.EditedConditions = Mdlx::ConditionTable{};
    m.EditedCount = 0;
    for (int g = 1; g <= Rows; ++g) {
        if (!accepted(g))
            continue;
        const QString item = text(g, 2);
        const QString value = text(g, 4);
        Mdlx::ConditionRow& row = m.EditedConditions[std::size_t(m.EditedCount++)];
        row[Mdlx::Connective] = text(g, 1);
        row[Mdlx::Item] = item;
        row[Mdlx::Operator] = text(g, 3);
        switch (lib.OrgLevel(item)) {
        case DeptLevel:
            row[Mdlx::Value] = lib.DeptCode(item, value);
            break;
        case TeamLevel:
            row[Mdlx::Value] = lib.TeamCode(text(g - 1, 4), value);
            break;
        case GroupLevel:
            row[Mdlx::Value] = lib.GroupCode(text(g - 2, 4), text(g - 1, 4), value);
            break;
        default:
            row[Mdlx::Value] = value;
        }
    }
}

bool ConditionGrid::accepted(int g) const {
    if (text(g, 2).isEmpty() || text(g, 3).isEmpty() || text(g, 4).isEmpty())
        return false;
    return g == 1 || Connectives.contains(vb::Trim(text(g, 1)));
}

ConditionGrid::Shown ConditionGrid::shownConditions() const {
    Shown shown;
    for (int g = 1; g <= Rows; ++g) {
        if (accepted(g))
            shown.rows[std::size_t(shown.count++)] = {text(g, 1), text(g, 2), text(g, 3),
                                                      text(g, 4)};
    }
    return shown;
}

void ConditionGrid::showConditions(const Mdlx::ConditionTable& conditions) {
    SuiteLib& lib = SuiteLib::instance();
    for (int r = 0; r < Rows; ++r) {
        const int g = r + 1;
        const Mdlx::ConditionRow& row = conditions[std::size_t(r)];
        putText(g, 1, row[Mdlx::Connective]);
        putText(g, 2, row[Mdlx::Item]);
        putText(g, 3, row[Mdlx::Operator]);
        const QString item = text(g, 2);
        const QString& code = row[Mdlx::Value];
        switch (lib.OrgLevel(item)) {
        case DeptLevel:
            putText(g, 4, lib.DeptName(item, code));
            break;
        case TeamLevel:
            putText(g, 4, lib.TeamName(text(g - 1, 4), code));
            break;
        case GroupLevel:
            putText(g, 4, lib.GroupName(text(g - 2, 4), text(g - 1, 4), code));
            break;
        default:
            putText(g, 4, code);
        }
    }
}

void ConditionGrid::showStored(const Mdlx::ConditionTable& rows, int count) {
    const SuiteLib& lib = SuiteLib::instance();
    for (int r = 0; r < std::min(count, Rows); ++r) {
        const Mdlx::ConditionRow& row = rows[std::size_t(r)];
        putText(r + 1, 1, row[Mdlx::Connective]);
        putText(r + 1, 2, lib.ColumnLookup(row[Mdlx::Item]));
        putText(r + 1, 3, row[Mdlx::Operator]);
        putText(r + 1, 4, row[Mdlx::Value]);
    }
}

} // namespace quill
