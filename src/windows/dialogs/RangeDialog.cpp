#include "windows/dialogs/RangeDialog.h"

#include "platform/ui/Named.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace quill {

namespace {

// A small calendar leaf: a red band with two rings over a ruled page.
QPixmap calendarPicture() {
    constexpr int Size = 48;
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF page(4, 8, Size - 8, Size - 12);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(page, 4, 4);
    p.setBrush(QColor(0xc8, 0x32, 0x2d));
    p.drawRect(QRectF(page.left(), page.top(), page.width(), 10));
    p.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 1));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(page.left() + 5 + col * 9, page.top() + 14 + row * 7, 6, 4));
    }
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2.5));
    p.drawLine(QPointF(15, 4), QPointF(15, 12));
    p.drawLine(QPointF(Size - 15, 4), QPointF(Size - 15, 12));
    return picture;
}

} // namespace

RangeDialog::RangeDialog(const char* name, const QString& caption, const QString& single,
                         const QString& range, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    setModal(true);

    Image1 = named(new QLabel(this), "Image1");
    Image1->setPixmap(calendarPicture());
    Frame1 = named(new QGroupBox(this), "Frame1");
    Option1 = named(new QRadioButton(single, Frame1), "Option1");
    Option2 = named(new QRadioButton(range, Frame1), "Option2");
    Option1->setChecked(true);
    Label1 = named(new QLabel(QStringLiteral("至"), Frame1), "Label1");
    Label1->setEnabled(false);
    Command1 = named(new QPushButton(QStringLiteral("&Y 确定"), this), "Command1");
    Command1->setDefault(true);
    StatusBar1 = named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    // Room for a message from the start, so that showing one moves nothing.
    StatusBar1->setMinimumHeight(StatusBar1->fontMetrics().height() + 8);

    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option1_Click();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option2_Click();
    });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addWidget(Frame1, 1);
    top->addWidget(Command1, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* body = new QWidget(this);
    body->setLayout(top);
    layout->addWidget(body);
    layout->addWidget(StatusBar1);
}

void RangeDialog::placeBounds(QWidget* first, QWidget* last) {
    auto* grid = new QGridLayout(Frame1);
    grid->addWidget(Option1, 0, 0);
    grid->addWidget(Option2, 0, 2);
    grid->addWidget(first, 1, 0);
    grid->addWidget(Label1, 1, 1);
    grid->addWidget(last, 1, 2);
    first->setMinimumWidth(120);
    last->setMinimumWidth(120);
}

void RangeDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_activations > 0)
        return;
    Form_Activate();
    ++m_activations;
    setProperty("activations", m_activations);
}

} // namespace quill
