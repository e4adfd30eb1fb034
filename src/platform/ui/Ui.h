#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace quill {

// Buttons of a message box and the answers it gives, in the vocabulary the
// windows use.
enum class MsgButtons { OkOnly, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

// The one seam between the windows and the desktop: message boxes, file
// dialogs and starting programs. The desktop implementation is installed by
// default; tests install a ScriptedUi that answers and records instead.
class Ui {
public:
    virtual ~Ui() = default;

    virtual MsgResult msgBox(const QString& text, MsgButtons buttons, const QString& title) = 0;
    // An empty text means the user cancelled.
    virtual QString saveFileName(const QString& caption, const QString& suggestedPath,
                                 const QString& filter) = 0;
    // Starts a program detached; false when it cannot be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;

    static Ui& current();
    // Installs `ui` (not owned) as the current seam; nullptr restores the desktop.
    static void install(Ui* ui);
};

// Shorthands for the common calls on the current seam.
inline MsgResult MsgBox(const QString& text, MsgButtons buttons = MsgButtons::OkOnly,
                        const QString& title = QString()) {
    return Ui::current().msgBox(text, buttons, title);
}

} // namespace quill
