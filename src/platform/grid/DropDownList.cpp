#include "DropDownList.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace quill {

DropDownList::DropDownList(QWidget* parent)
    : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusPolicy(Qt::ClickFocus);
    hide();
}

void DropDownList::setSheetRect(float x1, float y1, float x2, float y2) {
    m_x1 = std::min(x1, x2);
    m_x2 = std::max(x1, x2);
    m_y1 = std::min(y1, y2);
    m_y2 = std::max(y1, y2);
}

void DropDownList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (currentRow() >= 0)
            emit picked(currentRow());
        return;
    case Qt::Key_Escape:
        emit dismissed();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void DropDownList::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    const QModelIndex at = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && at.isValid()) {
        setCurrentRow(at.row());
        emit picked(at.row());
    }
}

} // namespace quill
