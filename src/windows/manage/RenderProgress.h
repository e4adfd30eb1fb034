#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

namespace quill {

// Progress of a long render: nothing is shown (and nothing is built) until the
// render has run for the delay; from then on a progress dialog follows it.
// Checks the clock only every 256 rows, so short renders pay nothing.
class RenderProgress {
public:
    RenderProgress(QWidget* parent, int total, int delayMs);
    ~RenderProgress();
    RenderProgress(const RenderProgress&) = delete;
    RenderProgress& operator=(const RenderProgress&) = delete;

    void step(int done) {
        if ((done & 255) == 0)
            update(done);
    }
    bool shown() const { return m_dialog != nullptr; }

private:
    void update(int done);

    QWidget* m_parent;
    int m_total;
    int m_delayMs;
    QElapsedTimer m_clock;
    QPointer<QProgressDialog> m_dialog;
};

} // namespace quill
