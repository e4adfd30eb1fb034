#include "ModalSteps.h"

#include <QAbstractButton>
#include <QApplication>
#include <QWidget>

namespace quill::test {

namespace {
constexpr int PollMs = 10;
constexpr int IdleLimit = 1000 / PollMs;
} // namespace

ModalSteps::ModalSteps(QWidget* base)
    : m_base(base) {
    m_timer.setInterval(PollMs);
    connect(&m_timer, &QTimer::timeout, this, &ModalSteps::poll);
    m_timer.start();
}

ModalSteps& ModalSteps::then(const QString& windowName, Action action) {
    m_steps.push_back({windowName, std::move(action)});
    return *this;
}

void ModalSteps::click(QAbstractButton* button) {
    QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
}

void ModalSteps::poll() {
    QWidget* top = QApplication::activeModalWidget();
    if (top != m_top) {
        m_top = top;
        m_acted = false;
        m_idlePolls = 0;
        if (top && top != m_base)
            m_seen << top->objectName();
    }
    if (!top || top == m_base)
        return;
    // A window that counts its activations is ready once it has activated.
    const QVariant activations = top->property("activations");
    const bool ready = !activations.isValid() || activations.toInt() >= 1;
    if (!m_acted && ready && m_next < m_steps.size() &&
        top->objectName() == m_steps[m_next].windowName) {
        m_acted = true;
        m_steps[m_next++].action(top);
        return;
    }
    if (++m_idlePolls > IdleLimit) {
        m_idlePolls = 0;
        top->close();
    }
}

} // namespace quill::test
