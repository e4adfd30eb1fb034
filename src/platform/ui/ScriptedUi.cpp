#include "platform/ui/ScriptedUi.h"

namespace quill {

ScriptedUi::ScriptedUi() {
    Ui::install(this);
}

ScriptedUi::~ScriptedUi() {
    Ui::install(nullptr);
}

QStringList ScriptedUi::messageTexts() const {
    QStringList texts;
    for (const Message& m : m_messages)
        texts << m.text;
    return texts;
}

void ScriptedUi::clear() {
    m_messages.clear();
    m_inputs.clear();
    m_starts.clear();
    m_saveDialogs.clear();
}

MsgResult ScriptedUi::msgBox(const QString& text, MsgButtons buttons, const QString& title) {
    m_messages.append({text, buttons, title});
    if (!m_answers.empty()) {
        const MsgResult r = m_answers.front();
        m_answers.pop_front();
        return r;
    }
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                              : MsgResult::Ok;
}

QString ScriptedUi::inputBox(const QString& prompt, const QString& title, InputEcho echo) {
    m_inputs.append({prompt, title, echo});
    if (m_inputAnswers.empty())
        return QString();
    const QString text = m_inputAnswers.front();
    m_inputAnswers.pop_front();
    return text;
}

QString ScriptedUi::saveFileName(const QString& caption, const QString& suggestedPath,
                                 const QString& filter) {
    m_saveDialogs.append({caption, suggestedPath, filter});
    if (m_savePaths.empty())
        return QString();
    const QString path = m_savePaths.front();
    m_savePaths.pop_front();
    return path;
}

bool ScriptedUi::startProgram(const QString& program, const QStringList& arguments) {
    m_starts.append({program, arguments});
    return !m_failStarts;
}

} // namespace quill
