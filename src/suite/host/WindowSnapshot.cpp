#include "WindowSnapshot.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

namespace quill {

namespace {

constexpr int PollMs = 50;

} // namespace

WindowSnapshot::WindowSnapshot(const QString& windowName, const QString& file, int timeoutMs)
    : m_windowName(windowName)
    , m_file(file)
    , m_remainingMs(timeoutMs) {
    m_timer.setInterval(PollMs);
    connect(&m_timer, &QTimer::timeout, this, &WindowSnapshot::poll);
    m_timer.start();
}

void WindowSnapshot::poll() {
    m_remainingMs -= PollMs;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() != m_windowName || !w->isVisible() ||
            w->property("activations").toInt() < 1)
            continue;
        // One poll later, so that the layouts the activation asked for are done.
        if (!m_seen) {
            m_seen = true;
            return;
        }
        m_timer.stop();
        if (w->grab().save(m_file))
            m_saved = true;
        else
            m_error = QStringLiteral("图片未能保存：") + m_file;
        w->close();
        return;
    }
    if (m_remainingMs <= 0) {
        m_timer.stop();
        m_error = QStringLiteral("窗口未在限定时间内显示，未保存图片");
        QApplication::closeAllWindows();
    }
}

} // namespace quill
