#include "module/clszh.h"

#include "platform/ui/Ui.h"
#include "windows/manage/frmRSGL.h"

#include <QApplication>

#include <atomic>

namespace quill {

namespace {

std::atomic<int> objects{0};
bool windowOpen = false;

} // namespace

clszh::clszh() {
    ++objects;
}

clszh::~clszh() {
    --objects;
}

int clszh::liveCount() {
    return objects;
}

int clszh::zh() {
    // The window and the module state it uses exist once per module: a second
    // start while it is open (a plug-in naming this very module) would pull
    // the shared query state from under the open window.
    if (windowOpen) {
        MsgBox(QStringLiteral("数据管理窗口已经打开，请先关闭它再启动本模块"));
        return 0;
    }
    windowOpen = true;
    {
        frmRSGL window(QApplication::activeWindow());
        window.exec();
    }
    windowOpen = false;
    return 0;
}

} // namespace quill
