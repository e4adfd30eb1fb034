#pragma once

#include <QLatin1String>

namespace quill {

// A control under its design name: tests, the host's --show and the window
// rules find controls by their object names.
template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace quill
