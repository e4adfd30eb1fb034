#include "SheetModel.h"

#include "CellRange.h"
#include "PlainNumber.h"

#include <QFont>

namespace quill {

SheetModel::SheetModel(QObject* parent)
    : QAbstractTableModel(parent) {}

int SheetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_sheet.rowCount();
}

int SheetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_sheet.columnCount();
}

QVariant SheetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return QVariant();
    const int r = index.row();
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return m_sheet.text(r, c);
    case Qt::EditRole:
        return m_sheet.entry(r, c);
    case Qt::FontRole:
        if (m_sheet.bold(r, c)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    case Qt::TextAlignmentRole:
        // Numbers stand to the right, as in any spreadsheet.
        if (m_sheet.kind(r, c) != Sheet::Kind::Text && PlainNumber::parse(m_sheet.text(r, c)))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case BordersRole: {
        const Sheet::Borders b = m_sheet.borders(r, c);
        return b.isNone() ? QVariant() : QVariant::fromValue(b);
    }
    default:
        return QVariant();
    }
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section + 1;
    const QString text = heading(section);
    return text.isEmpty() ? CellRange::columnName(section) : text;
}

Qt::ItemFlags SheetModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

void SheetModel::cellsChanged() {
    if (m_sheet.rowCount() > 0 && m_sheet.columnCount() > 0)
        emit dataChanged(index(0, 0), index(m_sheet.rowCount() - 1, m_sheet.columnCount() - 1));
}

void SheetModel::resize(int rows, int cols) {
    const int oldRows = m_sheet.rowCount();
    const int oldCols = m_sheet.columnCount();
    if (rows == oldRows && cols == oldCols)
        return;
    // Refused before the view hears of any change.
    Sheet::checkSize(rows, cols);
    // Columns first, then rows, each with the one signal the view needs.
    if (cols > oldCols) {
        beginInsertColumns(QModelIndex(), oldCols, cols - 1);
        m_sheet.resize(oldRows, cols);
        m_headings.resize(std::size_t(cols));
        endInsertColumns();
    } else if (cols < oldCols) {
        beginRemoveColumns(QModelIndex(), cols, oldCols - 1);
        m_sheet.resize(oldRows, cols);
        m_headings.resize(std::size_t(cols));
        endRemoveColumns();
    }
    if (rows > oldRows) {
        beginInsertRows(QModelIndex(), oldRows, rows - 1);
        m_sheet.resize(rows, cols);
        endInsertRows();
    } else if (rows < oldRows) {
        beginRemoveRows(QModelIndex(), rows, oldRows - 1);
        m_sheet.resize(rows, cols);
        endRemoveRows();
    }
}

void SheetModel::replace(Sheet&& sheet) {
    beginResetModel();
    m_sheet = std::move(sheet);
    m_headings.assign(std::size_t(m_sheet.columnCount()), QString());
    endResetModel();
}

QString SheetModel::heading(int col) const {
    return std::size_t(col) < m_headings.size() ? m_headings[std::size_t(col)] : QString();
}

void SheetModel::setHeading(int col, const QString& text) {
    m_headings[std::size_t(col)] = text;
    emit headerDataChanged(Qt::Horizontal, col, col);
}

} // namespace quill
