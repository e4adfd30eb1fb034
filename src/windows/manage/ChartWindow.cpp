#include "windows/manage/ChartWindow.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QPieSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace quill {

namespace {

QChart* columnChart(const SheetChart::Data& data) {
    auto* chart = new QChart;
    auto* series = new QBarSeries;
    double low = 0;
    double high = 0;
    for (const SheetChart::Series& s : data.series) {
        auto* set = new QBarSet(s.name);
        for (const double v : s.values) {
            *set << v;
            low = std::min(low, v);
            high = std::max(high, v);
        }
        series->append(set);
    }
    chart->addSeries(series);
    auto* categories = new QBarCategoryAxis;
    categories->append(data.categories);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    auto* values = new QValueAxis;
    values->setRange(low, high > low ? high : low + 1);
    values->applyNiceNumbers();
    // Whole numbers on a scale of hundreds and more.
    values->setLabelFormat(values->max() - values->min() >= 100 ? QStringLiteral("%.0f")
                                                                : QStringLiteral("%.2f"));
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
    chart->legend()->setAlignment(Qt::AlignRight);
    return chart;
}

QChart* pieChart(const SheetChart::Data& data) {
    auto* chart = new QChart;
    auto* series = new QPieSeries;
    if (!data.series.empty()) {
        const SheetChart::Series& s = data.series.front();
        for (std::size_t i = 0; i < s.values.size(); ++i) {
            const QString label =
                i < std::size_t(data.categories.size()) ? data.categories[qsizetype(i)] : QString();
            // A pie shows no negative slice.
            series->append(label, std::max(0.0, s.values[i]));
        }
    }
    chart->addSeries(series);
    chart->legend()->setAlignment(Qt::AlignRight);
    return chart;
}

} // namespace

ChartWindow::ChartWindow(const SheetChart& chart, const SheetChart::Data& data, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ChartWindow"));
    setWindowTitle(QStringLiteral("图表"));
    QChart* drawn = chart.type == SheetChart::Type::Pie ? pieChart(data) : columnChart(data);
    drawn->setTitle(chart.title);
    m_view = new QChartView(drawn, this);
    m_view->setObjectName(QStringLiteral("ChartView"));
    m_view->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    resize(800, 560);
}

} // namespace quill
