#include "ReportUi.h"

namespace quill {

ReportUi::ReportUi() {
    Ui::install(this);
}

ReportUi::~ReportUi() {
    Ui::install(nullptr);
}

void ReportUi::keep(const QString& text) {
    if (m_message.isEmpty())
        m_message = text.simplified();
}

MsgResult ReportUi::msgBox(const QString& text, MsgButtons buttons, const QString&) {
    keep(text);
    switch (buttons) {
    case MsgButtons::OkOnly:
        return MsgResult::Ok;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
        return MsgResult::Cancel;
    case MsgButtons::YesNo:
        break;
    }
    return MsgResult::No;
}

QString ReportUi::saveFileName(const QString&, const QString&, const QString&) {
    return QString();
}

bool ReportUi::startProgram(const QString& program, const QStringList&) {
    keep(QStringLiteral("未启动程序 ") + program);
    return false;
}

} // namespace quill
