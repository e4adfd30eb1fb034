#pragma once

#include "Sheet.h"

#include <QAbstractTableModel>

#include <vector>

namespace quill {

// The grid's model: one Sheet plus the column headings shown above it.
// Filling cells sends no signal per cell; the owner calls cellsChanged()
// once a batch of changes is done.
class SheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The cell's Sheet::Borders; none for a cell without borders.
    enum Role { BordersRole = Qt::UserRole + 1 };

    explicit SheetModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const Sheet& sheet() const { return m_sheet; }
    // For changes of cell contents, bold and borders; call cellsChanged() after.
    Sheet& cells() { return m_sheet; }
    void cellsChanged();

    void resize(int rows, int cols);
    // Takes over a whole new sheet; the headings go back to column letters.
    void replace(Sheet&& sheet);

    QString heading(int col) const;
    void setHeading(int col, const QString& text);

private:
    Sheet m_sheet;
    std::vector<QString> m_headings;
};

} // namespace quill
