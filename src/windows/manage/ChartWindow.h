#pragma once

#include "platform/office/SheetChart.h"

#include <QDialog>

class QChartView;

namespace quill {

// The chart of the result sheet on screen, drawn with Qt Charts from the
// same source range as the workbook's chart: clustered columns (one bar set
// per value column, the first column's texts as categories) or a pie of the
// first value column. Object name "ChartWindow".
class ChartWindow : public QDialog {
    Q_OBJECT
public:
    ChartWindow(const SheetChart& chart, const SheetChart::Data& data, QWidget* parent = nullptr);

    QChartView* view() const { return m_view; }

private:
    QChartView* m_view;
};

} // namespace quill
