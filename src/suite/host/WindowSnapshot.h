#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace quill {

// Saves a picture of the module's main window once it has been activated,
// then closes it. The window counts its activations in the dynamic property
// "activations"; the picture is taken when that is 1 or more.
class WindowSnapshot : public QObject {
    Q_OBJECT

public:
    WindowSnapshot(const QString& windowName, const QString& file, int timeoutMs = 60000);

    bool saved() const { return m_saved; }
    QString error() const { return m_error; }

private:
    void poll();

    QString m_windowName;
    QString m_file;
    QTimer m_timer;
    int m_remainingMs;
    bool m_seen = false;
    bool m_saved = false;
    QString m_error;
};

} // namespace quill
