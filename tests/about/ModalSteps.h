#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <vector>

class QAbstractButton;
class QWidget;

namespace quill::test {

// Acts on the modal windows that a handler opens while the test waits in it.
// Each step waits until a window with its object name comes to the top (and,
// if it counts its activations, has activated) and then runs its action
// there, once per time that window comes to the top. An
// action must not block: it clicks through click(), which runs after it. The
// object name of every window that came to the top is recorded; one left
// there for a second without a step for it is closed, so a wrong window
// fails the test instead of hanging it. `base`, the window the test itself
// opened, is left alone.
class ModalSteps : public QObject {
public:
    using Action = std::function<void(QWidget*)>;

    explicit ModalSteps(QWidget* base = nullptr);
    ModalSteps& then(const QString& windowName, Action action);

    const QStringList& seen() const { return m_seen; }
    bool done() const { return m_next == m_steps.size(); }

    // A click once control is back in the event loop.
    static void click(QAbstractButton* button);

private:
    struct Step {
        QString windowName;
        Action action;
    };
    void poll();

    QWidget* m_base;
    QTimer m_timer;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    QPointer<QWidget> m_top; // null again once that window is gone
    bool m_acted = false;
    int m_idlePolls = 0;
    QStringList m_seen;
};

} // namespace quill::test
