#include "WindowShow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <QWidget>

namespace quill {

namespace {

constexpr int PollMs = 50;

bool ready(const QWidget* w) {
    const QVariant activations = w->property("activations");
    return w->isVisible() && (!activations.isValid() || activations.toInt() >= 1);
}

} // namespace

WindowShow::WindowShow(const ShownWindow& window, const QString& file, int timeoutMs)
    : m_window(window)
    , m_file(file)
    , m_remainingMs(timeoutMs) {
    m_timer.setInterval(PollMs);
    connect(&m_timer, &QTimer::timeout, this, &WindowShow::poll);
    m_timer.start();
}

void WindowShow::poll() {
    // Every window of the module is modal: the top one is where the next step is.
    QWidget* top = QApplication::activeModalWidget();
    if (m_closing) {
        if (top)
            top->close();
        else
            m_timer.stop();
        return;
    }
    m_remainingMs -= PollMs;
    if (m_remainingMs <= 0) {
        stop(QStringLiteral("窗口 %1 未在限定时间内显示").arg(m_window.windowName));
        return;
    }
    if (!top || top == m_opener || !ready(top))
        return;
    if (m_step < m_window.openSteps.size())
        openNext(top);
    else if (top->objectName() == m_window.windowName && !m_file.isEmpty())
        capture(top);
    else if (top->objectName() == m_window.windowName)
        m_timer.stop(); // shown; the user closes it
}

void WindowShow::openNext(QWidget* top) {
    const QString name = m_window.openSteps[m_step];
    // Queued: the window a step opens runs its own event loop until closed.
    if (name.contains(u':')) {
        // A handler opens no window: the next step is in this one.
        if (!invokeHandler(top, name))
            return stop(QStringLiteral("窗口 %1 中没有 %2").arg(top->objectName(), name));
        ++m_step;
        return;
    }
    if (auto* action = top->findChild<QAction*>(name))
        QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
    else if (auto* button = top->findChild<QAbstractButton*>(name))
        QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
    else
        return stop(QStringLiteral("窗口 %1 中没有 %2").arg(top->objectName(), name));
    m_opener = top;
    ++m_step;
}

bool WindowShow::invokeHandler(QWidget* top, const QString& step) {
    const QString method = step.section(u':', 0, 0);
    const QStringList args = step.section(u':', 1).split(u',');
    const QByteArray name = method.toLatin1();
    if (args.size() == 1)
        return QMetaObject::invokeMethod(top, name.constData(), Qt::QueuedConnection,
                                         Q_ARG(int, args[0].toInt()));
    if (args.size() == 2)
        return QMetaObject::invokeMethod(top, name.constData(), Qt::QueuedConnection,
                                         Q_ARG(int, args[0].toInt()), Q_ARG(int, args[1].toInt()));
    return false;
}

void WindowShow::capture(QWidget* top) {
    // One poll later, so that the layouts the activation asked for are done.
    if (!m_seen) {
        m_seen = true;
        return;
    }
    if (top->grab().save(m_file))
        m_saved = true;
    else
        m_error = QStringLiteral("图片未能保存：") + m_file;
    m_closing = true;
    top->close();
}

void WindowShow::stop(const QString& error) {
    m_error = error;
    m_closing = true;
    QApplication::closeAllWindows();
}

} // namespace quill
