#include "AdminPasswordOption.h"

#include "PasswordInput.h"

#include "suite/AdminPassword.h"
#include "suite/SettingsError.h"
#include "suite/SuiteLib.h"

#include <unistd.h>

#include <cstdio>

namespace quill {

int setAdminPassword() {
    const QString password = PasswordInput::readLine(QStringLiteral("新的管理员密码："), true);
    if (password.isEmpty()) {
        std::fprintf(stderr, "quill: 管理员密码不能为空，未作改动\n");
        return 1;
    }
    if (isatty(STDIN_FILENO) &&
        PasswordInput::readLine(QStringLiteral("再输入一次："), true) != password) {
        std::fprintf(stderr, "quill: 两次输入的密码不一致，未作改动\n");
        return 1;
    }
    try {
        AdminPassword::set(password);
    } catch (const SettingsError& e) {
        std::fprintf(stderr, "quill: %s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("quill: 管理员密码已保存到 %s\n", qPrintable(SuiteLib::instance().settingsPath()));
    return 0;
}

} // namespace quill
