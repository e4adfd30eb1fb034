#pragma once

#include <QString>

#include <optional>

class QAction;
class QPoint;

namespace quill {

class frmRSGL;

// The window's toolbar and plug-in commands: the rebuild of Toolbar1 from the
// settings and SYS02 (plug-in buttons 2 to 4 with their images), the
// restrictions of the "MENU" setting, the YGZL rule, and the pop-up menu of
// plug-ins on the result sheet.
class ToolbarPlugins {
public:
    static constexpr int Plugins = 3;
    static constexpr int Buttons = 15;

    explicit ToolbarPlugins(frmRSGL& window);

    // Removes every button and adds buttons 1 to 15 again, enables MN01 to
    // MN12, then applies the restrictions and the YGZL rule.
    void rebuild();
    // The restriction value: two-character command captions one after
    // another; each disables its menu item and hides its button.
    void applyRestrictions(const QString& value);
    // Shows MNE with the plug-ins that have a caption; false when none has.
    bool popUp(const QPoint& globalPos);

private:
    // A plug-in button as the settings and SYS02 give it; no icon file when
    // its menu entry is not registered.
    struct Plugin {
        QString caption;
        std::optional<QString> iconFile;
    };

    QAction* addButton(const QString& key, const QString& caption, int image);
    static Plugin readPlugin(frmRSGL& window, int number);
    void addPluginButton(int number, const Plugin& plugin);

    frmRSGL& m_window;
};

} // namespace quill
