#pragma once

#include <QString>

namespace quill {

class frmRSGL;

// Starts other modules of the suite from the window: the module registered
// in SYS02 under CommandName (after the right check), as an executable in
// HomeFolder or as the object name + ".clszh", and the companion module
// "vega.clszh" on a double click on the result sheet.
class ModuleLauncher {
public:
    explicit ModuleLauncher(frmRSGL& window);

    // True when a module's zh ran (its windows have closed since).
    bool runRegisteredModule();
    // The double click on a cell of the result sheet. True when the
    // companion module's zh ran.
    bool companionDoubleClick(int row, int col);

    // The executable started for a module name: HomeFolder + "/" + name.
    static QString executablePath(const QString& moduleName);

private:
    bool callModule(const QString& progId, const QString& failureMessage);

    frmRSGL& m_window;
};

} // namespace quill
