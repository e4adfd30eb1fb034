#pragma once

#include "ShownWindow.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QWidget;

namespace quill {

// Opens a window of the module once its main window is up, by the steps of
// its ShownWindow row, and with a file name saves a picture of it and closes
// every window. A window is ready once visible and, where it counts its
// activations in the dynamic property "activations", activated at least once.
class WindowShow : public QObject {
    Q_OBJECT

public:
    WindowShow(const ShownWindow& window, const QString& file, int timeoutMs = 60000);

    bool saved() const { return m_saved; }
    QString error() const { return m_error; }

private:
    void poll();
    void openNext(QWidget* top);
    // Calls a step "Handler:1,2" on top; false when top has no such handler.
    static bool invokeHandler(QWidget* top, const QString& step);
    void capture(QWidget* top);
    void stop(const QString& error);

    ShownWindow m_window;
    QString m_file;
    QTimer m_timer;
    int m_remainingMs;
    qsizetype m_step = 0;
    QPointer<QWidget> m_opener; // the window whose step opens the next one
    bool m_seen = false;
    bool m_saved = false;
    bool m_closing = false;
    QString m_error;
};

} // namespace quill
