#include "platform/ui/Ui.h"

#include "platform/ui/DesktopUi.h"

#include <QProcess>
#include <QtGlobal>

namespace quill {

namespace {
DesktopUi& desktop() {
    static DesktopUi ui;
    return ui;
}
Ui* installed = nullptr;
} // namespace

Ui& Ui::current() {
    return installed ? *installed : desktop();
}

QString Ui::inputBox(const QString&, const QString&, InputEcho) {
    return QString();
}

QString Ui::spreadsheetCommand() {
    const QString command = qEnvironmentVariable("QUILL_SPREADSHEET").trimmed();
    return command.isEmpty() ? QStringLiteral("xdg-open") : command;
}

bool Ui::openInSpreadsheet(const QString& path) {
    QStringList arguments = QProcess::splitCommand(spreadsheetCommand());
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();
    arguments << path;
    return startProgram(program, arguments);
}

void Ui::install(Ui* ui) {
    installed = ui;
}

} // namespace quill
