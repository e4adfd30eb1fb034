#pragma once

#include <QString>

#include <vector>

namespace quill {

// The host's own command line options. They are taken out of the command line
// before the toolkit sees it: on X11 the toolkit would take "--title" as its
// own window-title option and the module would open on the default title.
struct HostOptions {
    QString workspace;
    QString title;
    bool hasTitle = false;
    QString snapshot;
    QString show;
    bool setAdminPassword = false;
    bool help = false;
    QString error; // a malformed host option, for the user

    // Parses the host's options out of argv; `toolkitArgs` gets the program
    // name and every other argument, followed by a null pointer, for the
    // toolkit's own parsing.
    static HostOptions parse(int argc, char** argv, std::vector<char*>& toolkitArgs);
    // The options explained, once the application is there to name itself.
    static QString helpText();
};

} // namespace quill
