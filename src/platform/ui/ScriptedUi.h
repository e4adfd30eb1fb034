#pragma once

#include "platform/ui/Ui.h"

#include <QList>

#include <deque>

namespace quill {

// A seam for tests: installs itself for its lifetime, records every message,
// input box, save dialog and program start, and answers from scripted queues.
// An unscripted message box answers Ok (or Yes); an unscripted input box or
// save dialog cancels.
class ScriptedUi : public Ui {
public:
    struct Message {
        QString text;
        MsgButtons buttons;
        QString title;
    };
    struct Input {
        QString prompt;
        QString title;
        InputEcho echo;
    };
    struct Start {
        QString program;
        QStringList arguments;
    };
    struct SaveDialog {
        QString caption;
        QString suggestedPath;
        QString filter;
    };

    ScriptedUi();
    ~ScriptedUi() override;
    ScriptedUi(const ScriptedUi&) = delete;
    ScriptedUi& operator=(const ScriptedUi&) = delete;

    void answer(MsgResult result) { m_answers.push_back(result); }
    void answerInput(const QString& text) { m_inputAnswers.push_back(text); }
    void answerSave(const QString& path) { m_savePaths.push_back(path); }
    void failStarts(bool fail) { m_failStarts = fail; }

    const QList<Message>& messages() const { return m_messages; }
    QStringList messageTexts() const;
    const QList<Input>& inputs() const { return m_inputs; }
    const QList<Start>& starts() const { return m_starts; }
    const QList<SaveDialog>& saveDialogs() const { return m_saveDialogs; }
    void clear();

    MsgResult msgBox(const QString& text, MsgButtons buttons, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, InputEcho echo) override;
    QString saveFileName(const QString& caption, const QString& suggestedPath,
                         const QString& filter) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;

private:
    std::deque<QString> m_inputAnswers;
    QList<Input> m_inputs;
    std::deque<MsgResult> m_answers;
    std::deque<QString> m_savePaths;
    QList<Message> m_messages;
    QList<Start> m_starts;
    QList<SaveDialog> m_saveDialogs;
    bool m_failStarts = false;
};

} // namespace quill
