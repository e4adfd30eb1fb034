#include "platform/ui/DesktopUi.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

namespace quill {

MsgResult DesktopUi::msgBox(const QString& text, MsgButtons buttons, const QString& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setText(text);
    // A message without a title of its own carries the module's name.
    box.setWindowTitle(title.isEmpty() ? QStringLiteral("QUILL") : title);
    switch (buttons) {
    case MsgButtons::OkOnly:
        box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        box.exec();
        return MsgResult::Ok;
    case MsgButtons::OkCancel: {
        QAbstractButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        box.exec();
        return box.clickedButton() == ok ? MsgResult::Ok : MsgResult::Cancel;
    }
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: {
        QAbstractButton* yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
        QAbstractButton* no = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
        if (buttons == MsgButtons::YesNoCancel)
            box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        box.exec();
        if (box.clickedButton() == yes)
            return MsgResult::Yes;
        return box.clickedButton() == no ? MsgResult::No : MsgResult::Cancel;
    }
    }
    return MsgResult::Cancel;
}

QString DesktopUi::inputBox(const QString& prompt, const QString& title, InputEcho echo) {
    const QLineEdit::EchoMode mode =
        echo == InputEcho::Hidden ? QLineEdit::Password : QLineEdit::Normal;
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(),
                                               title.isEmpty() ? QStringLiteral("QUILL") : title,
                                               prompt, mode, QString(), &ok);
    return ok ? text : QString();
}

QString DesktopUi::saveFileName(const QString& caption, const QString& suggestedPath,
                                const QString& filter) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, suggestedPath,
                                        filter);
}

bool DesktopUi::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

} // namespace quill
