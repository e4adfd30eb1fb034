#pragma once

#include "platform/com/ComObject.h"

#include <QString>

namespace quill {

// The module's one public class: zh() shows the data management window
// modally and returns 0 when it has closed.
class clszh : public ComObject {
public:
    clszh();
    ~clszh() override;
    clszh(const clszh&) = delete;
    clszh& operator=(const clszh&) = delete;

    int zh() override;

    static QString progId() { return QStringLiteral("QUILL.clszh"); }
    // Objects of this class alive in the process.
    static int liveCount();
};

} // namespace quill
