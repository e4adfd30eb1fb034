#pragma once

#include <QListWidget>

namespace quill {

// The grid's drop-down object: a list shown over some cells. A click on an
// entry, or Enter on the current one, picks it; Escape hides the list.
class DropDownList : public QListWidget {
    Q_OBJECT
public:
    explicit DropDownList(QWidget* parent = nullptr);

    // Where the list stands, in sheet co-ordinates: x counts column edges
    // (0 = left edge of column 1), y row edges; fractions fall inside a cell.
    void setSheetRect(float x1, float y1, float x2, float y2);
    float left() const { return m_x1; }
    float top() const { return m_y1; }
    float right() const { return m_x2; }
    float bottom() const { return m_y2; }

signals:
    void picked(int index);
    void dismissed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    float m_x1 = 0;
    float m_y1 = 0;
    float m_x2 = 1;
    float m_y2 = 1;
};

} // namespace quill
