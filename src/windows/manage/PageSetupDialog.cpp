#include "windows/manage/PageSetupDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace quill {

namespace {

constexpr double PointsPerCm = 72 / 2.54;

QDoubleSpinBox* marginBox(double points, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(0, 20);
    box->setDecimals(2);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" 厘米"));
    box->setValue(points / PointsPerCm);
    return box;
}

QSpinBox* countBox(int low, int high, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

} // namespace

PageSetupDialog::PageSetupDialog(const PageSetup& setup, const QString& footer, QWidget* parent)
    : QDialog(parent)
    , m_setup(setup) {
    setWindowTitle(QStringLiteral("页面设置"));
    paper = new QComboBox(this);
    const std::pair<const char*, int> papers[] = {
        {"A4", 9}, {"A3", 8}, {"A5", 11}, {"B5", 13}, {"B4", 12}, {"Letter", 1}, {"Legal", 5}};
    for (const auto& [name, code] : papers)
        paper->addItem(QString::fromLatin1(name), code);
    paper->setCurrentIndex(std::max(paper->findData(setup.PaperSize), 0));
    orientation = new QComboBox(this);
    orientation->addItem(QStringLiteral("纵向"), PageSetup::Portrait);
    orientation->addItem(QStringLiteral("横向"), PageSetup::Landscape);
    orientation->setCurrentIndex(setup.Orientation == PageSetup::Landscape ? 1 : 0);
    topMargin = marginBox(setup.TopMargin, this);
    bottomMargin = marginBox(setup.BottomMargin, this);
    leftMargin = marginBox(setup.LeftMargin, this);
    rightMargin = marginBox(setup.RightMargin, this);
    gridLines = new QCheckBox(QStringLiteral("打印网格线"), this);
    gridLines->setChecked(setup.PrintGridLines);
    centerHorizontally = new QCheckBox(QStringLiteral("水平居中"), this);
    centerHorizontally->setChecked(setup.CenterHorizontally);
    centerVertically = new QCheckBox(QStringLiteral("垂直居中"), this);
    centerVertically->setChecked(setup.CenterVertically);
    fitToPages = new QCheckBox(QStringLiteral("调整为指定页数"), this);
    fitToPages->setChecked(setup.Zoom == 0);
    zoom = countBox(10, 400, setup.Zoom == 0 ? 100 : setup.Zoom, this);
    zoom->setSuffix(QStringLiteral(" %"));
    pagesWide = countBox(0, 999, setup.FitToPagesWide, this);
    pagesTall = countBox(0, 999, setup.FitToPagesTall, this);
    pagesWide->setSpecialValueText(QStringLiteral("自动"));
    pagesTall->setSpecialValueText(QStringLiteral("自动"));
    footerText = new QLineEdit(footer, this);
    footerText->setPlaceholderText(QStringLiteral("空白: 制表人、审核人"));

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("纸张:"), paper);
    form->addRow(QStringLiteral("方向:"), orientation);
    form->addRow(QStringLiteral("上边距:"), topMargin);
    form->addRow(QStringLiteral("下边距:"), bottomMargin);
    form->addRow(QStringLiteral("左边距:"), leftMargin);
    form->addRow(QStringLiteral("右边距:"), rightMargin);
    form->addRow(gridLines);
    form->addRow(centerHorizontally);
    form->addRow(centerVertically);
    form->addRow(QStringLiteral("缩放比例:"), zoom);
    form->addRow(fitToPages);
    form->addRow(QStringLiteral("页宽:"), pagesWide);
    form->addRow(QStringLiteral("页高:"), pagesTall);
    form->addRow(QStringLiteral("页脚:"), footerText);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

PageSetup PageSetupDialog::pageSetup() const {
    PageSetup s = m_setup;
    s.PaperSize = paper->currentData().toInt();
    s.Orientation = orientation->currentData().toInt();
    s.TopMargin = topMargin->value() * PointsPerCm;
    s.BottomMargin = bottomMargin->value() * PointsPerCm;
    s.LeftMargin = leftMargin->value() * PointsPerCm;
    s.RightMargin = rightMargin->value() * PointsPerCm;
    s.PrintGridLines = gridLines->isChecked();
    s.CenterHorizontally = centerHorizontally->isChecked();
    s.CenterVertically = centerVertically->isChecked();
    s.Zoom = fitToPages->isChecked() ? 0 : zoom->value();
    s.FitToPagesWide = pagesWide->value();
    s.FitToPagesTall = pagesTall->value();
    return s;
}

QString PageSetupDialog::footer() const {
    return footerText->text().trimmed();
}

} // namespace quill
