#include "DemoPictures.h"

#include "demo/DemoEmployee.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace quill {

namespace {

QFont font(int pixelSize, bool bold) {
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace

QImage DemoPictures::photo(const DemoEmployee& employee) {
    QImage image(120, 160, QImage::Format_RGB32);
    const int hue = static_cast<int>(qHash(employee.memberid) % 360);
    image.fill(QColor::fromHsv(hue, 40, 235));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor cloth = QColor::fromHsv((hue + 180) % 360, 120, 150);
    p.setPen(Qt::NoPen);
    p.setBrush(cloth);
    p.drawEllipse(QRectF(15, 95, 90, 90));
    p.setBrush(QColor(240, 205, 170));
    p.drawEllipse(QRectF(37, 30, 46, 56));
    p.setBrush(QColor(50, 40, 35));
    QPainterPath hair;
    hair.moveTo(35, 55);
    hair.cubicTo(32, 15, 88, 15, 85, 55);
    hair.cubicTo(75, 35, 45, 35, 35, 55);
    p.drawPath(hair);
    p.setPen(Qt::white);
    p.setFont(font(14, true));
    p.drawText(QRect(0, 128, 120, 18), Qt::AlignCenter, employee.name);
    p.setFont(font(11, false));
    p.drawText(QRect(0, 144, 120, 14), Qt::AlignCenter, employee.memberid);
    return image;
}

QImage DemoPictures::icon(const QString& letter, const QColor& colour) {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour.darker(140));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    p.setPen(Qt::white);
    p.setFont(font(18, true));
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, letter);
    return image;
}

QImage DemoPictures::banner(const QString& title, const QString& subtitle) {
    QImage image(800, 64, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 800, 0);
    g.setColorAt(0, QColor(24, 72, 120));
    g.setColorAt(1, QColor(120, 170, 210));
    p.fillRect(image.rect(), g);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPointF(560 + i * 45, 32 + (i % 2 ? 12 : -12)), 26, 26);
    p.setPen(Qt::white);
    p.setFont(font(26, true));
    p.drawText(QRect(20, 4, 500, 36), Qt::AlignLeft | Qt::AlignVCenter, title);
    p.setFont(font(13, false));
    p.drawText(QRect(22, 40, 500, 20), Qt::AlignLeft | Qt::AlignVCenter, subtitle);
    return image;
}

} // namespace quill
