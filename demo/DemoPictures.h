#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace quill {

struct DemoEmployee;

// Pictures of the demo workspace, drawn rather than downloaded: employee
// photos, the plug-in icons the toolbar loads from the icon folder and the
// banner of the main window. Needs a QGuiApplication (for the fonts).
class DemoPictures {
public:
    static QImage photo(const DemoEmployee& employee);
    // A 32 x 32 icon: a rounded square with one character on it.
    static QImage icon(const QString& letter, const QColor& colour);
    static QImage banner(const QString& title, const QString& subtitle);
};

} // namespace quill
