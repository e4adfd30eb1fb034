// Grid benchmarks: filling a 16380 x 20 sheet through CellText against a
// plain vector of the same texts, memory per cell, and writing and reading
// that sheet as a workbook (time and peak memory).
#include "bench/support/PeakMemory.h"
#include "platform/grid/F1Book.h"
#include "platform/grid/WorkbookReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <vector>

using namespace quill;

namespace {

constexpr int Rows = 16380;
constexpr int Cols = 20;

// Texts as the renderer writes them: names, amounts, dates, whole numbers.
QString cellText(int r, int c) {
    switch (c % 4) {
    case 0:
        return QStringLiteral("员工%1").arg(r * Cols + c);
    case 1:
        return QString::number((r * 37 + c) % 100000 / 4.0, 'f', 2);
    case 2:
        return QStringLiteral("2004-%1-%2")
            .arg(r % 12 + 1, 2, 10, QLatin1Char('0'))
            .arg(c + 1, 2, 10, QLatin1Char('0'));
    default:
        return QString::number(r * 100 + c);
    }
}

std::vector<QString> madeTexts() {
    std::vector<QString> texts;
    texts.reserve(std::size_t(Rows) * Cols);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            texts.push_back(cellText(r, c));
    return texts;
}

// Bytes the allocator has handed out and not yet taken back.
double heapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd);
}

// Texts made beforehand when given, else made cell by cell.
void fillBook(F1Book& book, const std::vector<QString>* texts) {
    book.SetLastCol(Cols);
    book.SetLastRow(Rows);
    std::size_t i = 0;
    for (int r = 1; r <= Rows; ++r) {
        for (int c = 1; c <= Cols; ++c, ++i) {
            if (texts)
                book.SetCellText(r, c, (*texts)[i]);
            else
                book.SetCellText(r, c, cellText(r - 1, c - 1));
        }
    }
}

void fillVector(std::vector<QString>& v, const std::vector<QString>* texts) {
    v.resize(std::size_t(Rows) * Cols);
    std::size_t i = 0;
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Cols; ++c, ++i) {
            if (texts)
                v[i] = (*texts)[i];
            else
                v[i] = cellText(r, c);
        }
    }
}

// Sizing the sheet and setting every cell, against filling a plain vector of
// the same texts; compare the two CPU times of one run. Arg 0 makes each
// text as it goes (the renderer's way), arg 1 stores texts made beforehand
// (storage alone). Building and dropping the container is not timed.
void BM_FillVector(benchmark::State& state) {
    const std::vector<QString> texts = madeTexts();
    const std::vector<QString>* source = state.range(0) == 1 ? &texts : nullptr;
    for (auto _ : state) {
        state.PauseTiming();
        auto* v = new std::vector<QString>;
        state.ResumeTiming();
        fillVector(*v, source);
        state.PauseTiming();
        delete v;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillVector)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_FillBook(benchmark::State& state) {
    const std::vector<QString> texts = madeTexts();
    const std::vector<QString>* source = state.range(0) == 1 ? &texts : nullptr;
    for (auto _ : state) {
        state.PauseTiming();
        auto* book = new F1Book;
        state.ResumeTiming();
        fillBook(*book, source);
        state.PauseTiming();
        delete book;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillBook)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_MemoryPerCell(benchmark::State& state) {
    const double cells = double(Rows) * Cols;
    for (auto _ : state) {
        const double before = heapInUse();
        std::vector<QString> v;
        fillVector(v, nullptr);
        const double withVector = heapInUse();
        auto* book = new F1Book;
        const double emptyBook = heapInUse();
        fillBook(*book, nullptr);
        const double withBook = heapInUse();
        state.counters["sheet_bytes_per_cell"] = double(book->sheet().memoryBytes()) / cells;
        state.counters["book_heap_per_cell"] = (withBook - emptyBook) / cells;
        state.counters["vector_heap_per_cell"] = (withVector - before) / cells;
        delete book;
    }
}
BENCHMARK(BM_MemoryPerCell)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_WriteFile(benchmark::State& state) {
    QTemporaryDir dir;
    F1Book book;
    fillBook(book, nullptr);
    const QString path = dir.filePath(QStringLiteral("big.xls"));
    long peak = 0;
    for (auto _ : state) {
        const long base = quill::bench::resetPeak();
        book.WriteFile(path, 4);
        peak = std::max(peak, quill::bench::statusKb("VmHWM") - base);
    }
    state.counters["peak_extra_MB"] = double(peak) / 1024;
    state.counters["file_MB"] = double(QFile(path).size()) / (1024 * 1024);
}
BENCHMARK(BM_WriteFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.xls"));
    {
        F1Book book;
        fillBook(book, nullptr);
        book.WriteFile(path, 4);
    }
    F1Book book;
    long peak = 0;
    for (auto _ : state) {
        const long base = quill::bench::resetPeak();
        book.ReadFile(path);
        peak = std::max(peak, quill::bench::statusKb("VmHWM") - base);
    }
    state.counters["peak_extra_MB"] = double(peak) / 1024;
    state.counters["rows"] = book.LastRow();
}
BENCHMARK(BM_ReadFile)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
