#pragma once

#include "platform/ui/ScriptedUi.h"

#include <QList>
#include <QString>

#include <ostream>

// Texts in failure messages as they read.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace quill {

// A message box as the user saw it: text, buttons and title.
inline bool operator==(const ScriptedUi::Message& a, const ScriptedUi::Message& b) {
    return a.text == b.text && a.buttons == b.buttons && a.title == b.title;
}
inline void PrintTo(const ScriptedUi::Message& m, std::ostream* os) {
    *os << '"' << m.text.toStdString() << "\" titled \"" << m.title.toStdString()
        << "\" with buttons " << int(m.buttons);
}

namespace test {
using Messages = QList<ScriptedUi::Message>;
}

} // namespace quill
