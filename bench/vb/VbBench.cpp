// Per-cell rules over one full sheet (16380 rows): each iteration handles
// every row once, so the time per iteration is the cost for one column.
#include "platform/vb/ByteLength.h"
#include "platform/vb/Format.h"
#include "platform/vb/IsDate.h"
#include "platform/vb/Val.h"

#include <benchmark/benchmark.h>

#include <QDate>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace {

constexpr int Rows = 16380;

QStringList numberTexts() {
    QStringList texts;
    for (int i = 0; i < Rows; ++i)
        texts << QString::number(i * 37.25 - 1000, 'f', 2);
    return texts;
}

void valPerCell(benchmark::State& state) {
    const QStringList texts = numberTexts();
    for (auto _ : state) {
        double sum = 0;
        for (const QString& text : texts)
            sum += quill::vb::Val(text);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(valPerCell)->Unit(benchmark::kMillisecond);

void formatDecimalPerCell(benchmark::State& state) {
    std::vector<QVariant> values;
    for (int i = 0; i < Rows; ++i)
        values.emplace_back(i * 37.25 - 1000);
    const QString format = QStringLiteral("#,##0.00");
    for (auto _ : state) {
        for (const QVariant& value : values)
            benchmark::DoNotOptimize(quill::vb::Format(value, format));
    }
}
BENCHMARK(formatDecimalPerCell)->Unit(benchmark::kMillisecond);

// The result sheet's amounts: a plain decimal format over doubles.
void formatPlainDecimalPerCell(benchmark::State& state) {
    std::vector<double> values;
    for (int i = 0; i < Rows; ++i)
        values.push_back(i * 37.2573 - 1000);
    const QString format = QStringLiteral("#0.00");
    for (auto _ : state) {
        for (double value : values)
            benchmark::DoNotOptimize(quill::vb::Format(value, format));
    }
}
BENCHMARK(formatPlainDecimalPerCell)->Unit(benchmark::kMillisecond);

void formatDatePerCell(benchmark::State& state) {
    std::vector<QVariant> values;
    for (int i = 0; i < Rows; ++i)
        values.emplace_back(QDate(2020, 1, 1).addDays(i));
    const QString format = QStringLiteral("yyyy-mm-dd");
    for (auto _ : state) {
        for (const QVariant& value : values)
            benchmark::DoNotOptimize(quill::vb::Format(value, format));
    }
}
BENCHMARK(formatDatePerCell)->Unit(benchmark::kMillisecond);

void formatDateTextPerCell(benchmark::State& state) {
    std::vector<QVariant> values;
    for (int i = 0; i < Rows; ++i)
        values.emplace_back(QDate(2020, 1, 1).addDays(i).toString(u"yyyy-M-d"));
    const QString format = QStringLiteral("yyyy年mm月dd日");
    for (auto _ : state) {
        for (const QVariant& value : values)
            benchmark::DoNotOptimize(quill::vb::Format(value, format));
    }
}
BENCHMARK(formatDateTextPerCell)->Unit(benchmark::kMillisecond);

void isDatePerCell(benchmark::State& state) {
    QStringList texts;
    for (int i = 0; i < Rows; ++i)
        texts << QDate(2020, 1, 1).addDays(i).toString(u"yyyy-MM-dd");
    for (auto _ : state) {
        int dates = 0;
        for (const QString& text : texts)
            dates += quill::vb::IsDate(text) ? 1 : 0;
        benchmark::DoNotOptimize(dates);
    }
}
BENCHMARK(isDatePerCell)->Unit(benchmark::kMillisecond);

void gbkByteLengthPerCell(benchmark::State& state) {
    QStringList texts;
    for (int i = 0; i < Rows; ++i)
        texts << (i % 2 ? QStringLiteral("张三丰%1号").arg(i) : QStringLiteral("EMP%1").arg(i));
    for (auto _ : state) {
        int bytes = 0;
        for (const QString& text : texts)
            bytes += quill::vb::GbkByteLength(text);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(gbkByteLengthPerCell)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
