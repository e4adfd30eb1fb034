#include "platform/ui/Ui.h"

#include "platform/ui/DesktopUi.h"

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

void Ui::install(Ui* ui) {
    installed = ui;
}

} // namespace quill
