#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace quill {

// Buttons of a message box and the answers it gives, in the vocabulary the
// windows use.
enum class MsgButtons { OkOnly, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };
// Whether an input box shows what is typed (Hidden: a password field).
enum class InputEcho { Shown, Hidden };

// The one seam between the windows and the desktop: message boxes, input
// boxes, file dialogs and starting programs. The desktop implementation is installed by
// default; tests install a ScriptedUi that answers and records instead.
class Ui {
public:
    virtual ~Ui() = default;

    virtual MsgResult msgBox(const QString& text, MsgButtons buttons, const QString& title) = 0;
    // One line of text asked for; an empty text means the user cancelled. A
    // seam with nobody to ask answers so.
    virtual QString inputBox(const QString& prompt, const QString& title, InputEcho echo);
    // An empty text means the user cancelled.
    virtual QString saveFileName(const QString& caption, const QString& suggestedPath,
                                 const QString& filter) = 0;
    // Starts a program detached; false when it cannot be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // Hands a workbook file to the desktop's spreadsheet application: starts
    // spreadsheetCommand() with the file's path as its last argument, through
    // startProgram (so a seam that records or refuses starts does so here as
    // well); false when it cannot be started.
    virtual bool openInSpreadsheet(const QString& path);

    // The command line that opens a file in the spreadsheet application: the
    // environment variable QUILL_SPREADSHEET when set and not blank (e.g.
    // "libreoffice --calc"), else "xdg-open".
    static QString spreadsheetCommand();

    static Ui& current();
    // Installs `ui` (not owned) as the current seam; nullptr restores the desktop.
    static void install(Ui* ui);
};

// Shorthands for the common calls on the current seam.
inline MsgResult MsgBox(const QString& text, MsgButtons buttons = MsgButtons::OkOnly,
                        const QString& title = QString()) {
    return Ui::current().msgBox(text, buttons, title);
}
inline QString InputBox(const QString& prompt, const QString& title = QString(),
                        InputEcho echo = InputEcho::Shown) {
    return Ui::current().inputBox(prompt, title, echo);
}

} // namespace quill
