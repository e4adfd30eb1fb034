#pragma once

#include "platform/ui/Ui.h"

namespace quill {

// The seam while a picture of the window is taken unattended: messages go to
// standard error and are answered as a user pressing Enter would (OK or Yes),
// input boxes read a line from standard input, save dialogs are cancelled
// and programs are not started. Installed for its
// lifetime.
class HeadlessUi : public Ui {
public:
    HeadlessUi();
    ~HeadlessUi() override;
    HeadlessUi(const HeadlessUi&) = delete;
    HeadlessUi& operator=(const HeadlessUi&) = delete;

    MsgResult msgBox(const QString& text, MsgButtons buttons, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, InputEcho echo) override;
    QString saveFileName(const QString& caption, const QString& suggestedPath,
                         const QString& filter) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
};

} // namespace quill
