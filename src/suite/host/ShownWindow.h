#pragma once

#include <QString>
#include <QStringList>

namespace quill {

// A window the host can open for "--show NAME": from the module's main
// window, the menu actions are triggered or the buttons clicked (by object
// name) one after another, each in the window the one before opened; a step
// "Handler:1,2" calls the window's invokable handler with those numbers.
// The window to show is then the one of object name `windowName`.
struct ShownWindow {
    QString name;
    QStringList openSteps;
    QString windowName;

    // The main window itself, shown when no name is given.
    static const ShownWindow& main();
    // The row of `name`, or nullptr.
    static const ShownWindow* find(const QString& name);
    static QStringList names();
};

} // namespace quill
