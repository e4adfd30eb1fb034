#pragma once

#include "platform/ui/Ui.h"

namespace quill {

// The seam while a report runs without a window: nobody is there to read a
// message or answer a question, so a message is kept as the run's failure
// (the first one counts), a question is answered No or Cancel, nothing is
// asked, no file is chosen and no program is started. Installed for its
// lifetime.
class ReportUi : public Ui {
public:
    ReportUi();
    ~ReportUi() override;
    ReportUi(const ReportUi&) = delete;
    ReportUi& operator=(const ReportUi&) = delete;

    MsgResult msgBox(const QString& text, MsgButtons buttons, const QString& title) override;
    QString saveFileName(const QString& caption, const QString& suggestedPath,
                         const QString& filter) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;

    // The first message of the run; "" when none.
    QString message() const { return m_message; }

private:
    void keep(const QString& text);

    QString m_message;
};

} // namespace quill
