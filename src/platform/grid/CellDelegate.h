#pragma once

#include <QStyledItemDelegate>

class QKeyEvent;
class QLineEdit;

namespace quill {

// Paints the cell borders and runs the in-cell editor: it tells its owner
// when an editor opens, hands every typed character code to the owner
// before the editor sees it, and passes the typed text on at the end.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CellDelegate(QObject* parent = nullptr);

    // The character code of a key as the grid's key event gives it: 13 for
    // Enter, 8 Backspace, 9 Tab, 27 Escape, else the typed character; 0 for
    // keys that type nothing (arrows, function keys).
    static int keyCode(const QKeyEvent* event);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

signals:
    void editorOpened(QLineEdit* editor) const;
    // The handler may change the code, or set it to 0 to drop the key.
    void editorKeyPress(int& code) const;
    void editCommitted(const QModelIndex& index, const QString& text) const;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

} // namespace quill
