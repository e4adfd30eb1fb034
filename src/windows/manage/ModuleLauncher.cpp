#include "windows/manage/ModuleLauncher.h"

#include "platform/com/CreateObject.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "platform/ui/Ui.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/frmRSGL.h"

#include <QFileInfo>

#include <exception>

namespace quill {

namespace {

const QString SystemPrompt = QStringLiteral("系统提示");

bool startsOrEndsWithStar(const QString& text) {
    return text.startsWith(QLatin1Char('*')) || text.endsWith(QLatin1Char('*'));
}

} // namespace

ModuleLauncher::ModuleLauncher(frmRSGL& window)
    : m_window(window) {}

QString ModuleLauncher::executablePath(const QString& moduleName) {
    return SuiteLib::instance().HomeFolder + QLatin1Char('/') + moduleName;
}

bool ModuleLauncher::runRegisteredModule() {
    SuiteLib& lib = SuiteLib::instance();
    const QString command = lib.CommandName;
    if (!m_window.openMenuEntry(command)) {
        MsgBox(QStringLiteral("菜单:'") + command + QStringLiteral("'尚未登记"), MsgButtons::OkOnly,
               SystemPrompt);
        return false;
    }
    Recordset& menus = m_window.menuRecordset();
    const QVariant cdtb = menus.Value(QStringLiteral("cdtb"));
    lib.CommandIcon = cdtb.isNull() ? QString() : cdtb.toString();

    const QString zxtm = menus.Value(QStringLiteral("zxtm")).toString();
    const bool permitted = lib.UserMenus.contains(QLatin1Char(',') + command + QLatin1Char(',')) ||
                           startsOrEndsWithStar(zxtm);
    if (!permitted) {
        MsgBox(lib.UserName + QStringLiteral("未被授权使用'") + command + QLatin1Char('\''),
               MsgButtons::OkOnly, SystemPrompt);
        return false;
    }

    const QVariant mkwj = menus.Value(QStringLiteral("mkwj"));
    const QString name = (mkwj.isNull() ? QStringLiteral("???") : mkwj.toString())
                             .toUpper()
                             .remove(QStringLiteral(".DLL"));
    const QString program = executablePath(name);
    if (QFileInfo(program).isFile()) {
        if (!Ui::current().startProgram(program, {}))
            MsgBox(QStringLiteral("程序 %1 无法启动").arg(program));
        return false;
    }
    return callModule(name + QStringLiteral(".clszh"), name + QStringLiteral(".dll未注册"));
}

bool ModuleLauncher::companionDoubleClick(int row, int col) {
    SuiteLib& lib = SuiteLib::instance();
    if (col == 0) {
        lib.CurrentRow = row;
        return false;
    }
    if (row == 0 || m_window.renderer().IsTemplateSheet())
        return false;
    F1Book& book = *m_window.F1Book1;
    if (book.AllowCellEditing()) {
        book.SetAllowCellEditing(false);
        book.SetAllowEditB(false);
        book.SetAllowEditC(false);
        return false;
    }
    const QString library = lib.HomeFolder + QStringLiteral("/dll/vega.dll");
    if (!lib.SqlGroup.isEmpty() || m_window.renderer().RecordCount() < 1 ||
        !QFileInfo::exists(library) ||
        lib.ReadSetting(QStringLiteral("VEGA"), lib.ModuleTitle + QStringLiteral("-USE"),
                        lib.settingsPath()) != QLatin1String("NO"))
        return false;
    return callModule(QStringLiteral("vega.clszh"), library + QStringLiteral("未注册"));
}

bool ModuleLauncher::callModule(const QString& progId, const QString& failureMessage) {
    try {
        CreateObject(progId)->zh();
    } catch (const std::exception&) {
        MsgBox(failureMessage);
        return false;
    }
    return true;
}

} // namespace quill
