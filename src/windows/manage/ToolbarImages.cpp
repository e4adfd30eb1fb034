#include "windows/manage/ToolbarImages.h"

#include "windows/manage/ImageList.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace quill {

namespace {

// Character and hue of each image, by index: 1 modify, 2 exit, 3 query,
// 4 delete, 6 about, 8 add, 9 preview, 10 report, 11 print, 12 chart,
// 14 edit, 15 export, 17 save, 20 the report list's heading; the rest unused
// (hue -1, grey).
struct Glyph {
    const char* text;
    int hue;
};

constexpr Glyph Glyphs[ToolbarImages::Count] = {
    {"改", 30},  {"退", 0},   {"查", 210}, {"删", 350}, {"·", -1},   {"关", 190}, {"·", -1},
    {"添", 120}, {"览", 260}, {"表", 45},  {"印", 200}, {"图", 160}, {"·", -1},   {"编", 90},
    {"出", 280}, {"·", -1},   {"存", 140}, {"·", -1},   {"·", -1},   {"报", 220}};

QIcon draw(const Glyph& glyph) {
    QPixmap pixmap(ToolbarImages::Size, ToolbarImages::Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fill =
        glyph.hue < 0 ? QColor(200, 200, 200) : QColor::fromHsv(glyph.hue, 140, 200);
    p.setPen(fill.darker(140));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1.5, 1.5, ToolbarImages::Size - 3, ToolbarImages::Size - 3), 6, 6);
    QFont font = p.font();
    font.setPixelSize(ToolbarImages::Size * 9 / 16);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, ToolbarImages::Size, ToolbarImages::Size), Qt::AlignCenter,
               QString::fromUtf8(glyph.text));
    return QIcon(pixmap);
}

} // namespace

void ToolbarImages::fill(ImageList& list) {
    for (int i = 0; i < Count; ++i)
        list.Add(QStringLiteral("IMG-%1").arg(i + 1), draw(Glyphs[i]));
}

} // namespace quill
