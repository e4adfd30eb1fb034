#include "CellDelegate.h"

#include "SheetModel.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>

#include <array>

namespace quill {

namespace {

QPen borderPen(int style, const QColor& color) {
    QPen pen(color);
    pen.setCosmetic(true);
    switch (style) {
    case 2:
    case 8:
    case 10:
    case 12:
    case 13:
        pen.setWidth(2);
        break;
    case 5:
    case 6:
        pen.setWidth(3);
        break;
    default:
        pen.setWidth(1);
        break;
    }
    switch (style) {
    case 3:
    case 8:
        pen.setStyle(Qt::DashLine);
        break;
    case 4:
    case 7:
        pen.setStyle(Qt::DotLine);
        break;
    case 9:
    case 10:
    case 13:
        pen.setStyle(Qt::DashDotLine);
        break;
    case 11:
    case 12:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    default:
        break;
    }
    return pen;
}

} // namespace

CellDelegate::CellDelegate(QObject* parent)
    : QStyledItemDelegate(parent) {}

int CellDelegate::keyCode(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty() || !text[0].isPrint() || (event->modifiers() & Qt::ControlModifier))
        return 0;
    return int(text.toUcs4().value(0));
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const QVariant borders = index.data(SheetModel::BordersRole);
    if (!borders.isValid())
        return;
    const Sheet::Borders b = borders.value<Sheet::Borders>();
    const QRect r = option.rect;
    const auto edge = [painter](int style, QPoint from, QPoint to) {
        if (style == 0)
            return;
        painter->setPen(borderPen(style, Qt::black));
        painter->drawLine(from, to);
    };
    painter->save();
    edge(b.left, r.topLeft(), r.bottomLeft());
    edge(b.right, r.topRight(), r.bottomRight());
    edge(b.top, r.topLeft(), r.topRight());
    edge(b.bottom, r.bottomLeft(), r.bottomRight());
    painter->restore();
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    emit editorOpened(editor);
    return editor;
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                const QModelIndex& index) const {
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        emit editCommitted(index, line->text());
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* line = qobject_cast<QLineEdit*>(object);
    if (!line || event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(object, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const int original = keyCode(key);
    if (original == 0)
        return QStyledItemDelegate::eventFilter(object, event);
    int code = original;
    const QPointer<QLineEdit> guard(line);
    emit editorKeyPress(code);
    // The handler may have moved the focus away, which ends the edit.
    if (!guard || !guard->isVisible() || code == 0)
        return true;
    if (code == original)
        return QStyledItemDelegate::eventFilter(object, event);
    if (code == 13 || code == 9 || code == 27) {
        const Qt::Key k = code == 13 ? Qt::Key_Return : (code == 9 ? Qt::Key_Tab : Qt::Key_Escape);
        QKeyEvent replaced(QEvent::KeyPress, k, Qt::NoModifier);
        return QStyledItemDelegate::eventFilter(object, &replaced);
    }
    if (code == 8)
        line->backspace();
    else
        line->insert(QString::fromUcs4(std::array<char32_t, 1>{char32_t(code)}.data(), 1));
    return true;
}

} // namespace quill
