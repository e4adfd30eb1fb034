#include "windows/manage/RenderProgress.h"

namespace quill {

RenderProgress::RenderProgress(QWidget* parent, int total, int delayMs, Report report)
    : m_parent(parent)
    , m_total(total)
    , m_delayMs(delayMs)
    , m_report(std::move(report)) {
    m_clock.start();
}

RenderProgress::~RenderProgress() {
    delete m_dialog;
}

void RenderProgress::update(int done) {
    if (m_report) {
        if (m_clock.elapsed() >= m_delayMs) {
            m_reported = true;
            m_report(done, m_total);
        }
        return;
    }
    if (!m_dialog) {
        if (m_clock.elapsed() < m_delayMs)
            return;
        m_dialog = new QProgressDialog(m_parent);
        m_dialog->setWindowTitle(QStringLiteral("系统提示"));
        m_dialog->setLabelText(QStringLiteral("正在生成报表，请稍候……"));
        m_dialog->setCancelButton(nullptr);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setRange(0, m_total);
    }
    m_dialog->setValue(done);
}

} // namespace quill
