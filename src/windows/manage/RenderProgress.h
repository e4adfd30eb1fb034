#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

#include <functional>

namespace quill {

// Progress of a long render: nothing is shown (and nothing is built) until the
// render has run for the delay; from then on a progress dialog follows it, or,
// for a render without a window, the report given hears of it. Checks the
// clock only every 256 rows, so short renders pay nothing.
class RenderProgress {
public:
    // Rows done so far and the rows of the whole render.
    using Report = std::function<void(int done, int total)>;

    RenderProgress(QWidget* parent, int total, int delayMs, Report report = {});
    ~RenderProgress();
    RenderProgress(const RenderProgress&) = delete;
    RenderProgress& operator=(const RenderProgress&) = delete;

    void step(int done) {
        if ((done & 255) == 0)
            update(done);
    }
    bool shown() const { return m_dialog != nullptr || m_reported; }

private:
    void update(int done);

    QWidget* m_parent;
    int m_total;
    int m_delayMs;
    Report m_report;
    bool m_reported = false;
    QElapsedTimer m_clock;
    QPointer<QProgressDialog> m_dialog;
};

} // namespace quill
