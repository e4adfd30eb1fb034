#pragma once

#include "platform/ui/Ui.h"

namespace quill {

// Real dialogs on the desktop, parented to the active window.
class DesktopUi : public Ui {
public:
    MsgResult msgBox(const QString& text, MsgButtons buttons, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, InputEcho echo) override;
    QString saveFileName(const QString& caption, const QString& suggestedPath,
                         const QString& filter) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
};

} // namespace quill
