#include "HeadlessUi.h"

#include "PasswordInput.h"

#include <cstdio>

namespace quill {

HeadlessUi::HeadlessUi() {
    Ui::install(this);
}

HeadlessUi::~HeadlessUi() {
    Ui::install(nullptr);
}

MsgResult HeadlessUi::msgBox(const QString& text, MsgButtons buttons, const QString& title) {
    if (title.isEmpty())
        std::fprintf(stderr, "quill: %s\n", qPrintable(text));
    else
        std::fprintf(stderr, "quill: [%s] %s\n", qPrintable(title), qPrintable(text));
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                              : MsgResult::Ok;
}

QString HeadlessUi::inputBox(const QString& prompt, const QString&, InputEcho echo) {
    return PasswordInput::readLine(prompt, echo == InputEcho::Hidden);
}

QString HeadlessUi::saveFileName(const QString&, const QString&, const QString&) {
    return QString();
}

bool HeadlessUi::startProgram(const QString& program, const QStringList&) {
    std::fprintf(stderr, "quill: 未启动程序 %s\n", qPrintable(program));
    return false;
}

} // namespace quill
