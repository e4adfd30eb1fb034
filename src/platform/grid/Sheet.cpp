#include "Sheet.h"

#include "PlainNumber.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <stdexcept>
#include <string>

namespace quill {

namespace {

// Marks taken so far, on every sheet and thread.
std::atomic<std::uint32_t> marksTaken{0};

std::uint16_t packBorders(Sheet::Borders b) {
    return std::uint16_t(b.left | (b.right << 4) | (b.top << 8) | (b.bottom << 12));
}

// A text that, typed as it is, would be taken for something else.
bool needsTextMark(const QString& text) {
    return text.startsWith(u'\'') || text.startsWith(u'=') || PlainNumber::parse(text);
}

} // namespace

void Sheet::outsideTheSheet(int row, int col) {
    throw std::out_of_range("cell " + std::to_string(row) + "," + std::to_string(col) +
                            " outside the sheet");
}

void Sheet::checkSize(int rows, int cols) {
    if (rows < 0 || cols < 0 || rows > MaxRows || cols > MaxCols ||
        (long long)rows * cols > MaxCells)
        throw std::out_of_range("sheet size out of range");
}

void Sheet::resize(int rows, int cols) {
    checkSize(rows, cols);
    const std::size_t oldCells = m_cells.size();
    if (cols != m_cols) {
        std::vector<Cell> cells(std::size_t(rows) * std::size_t(cols));
        for (int r = 0; r < m_rows; ++r) {
            for (int c = 0; c < m_cols; ++c) {
                Cell& old = cellRef(r, c);
                if (r < rows && c < cols)
                    cells[std::size_t(r) * std::size_t(cols) + std::size_t(c)] = old;
                else
                    release(old);
            }
        }
        m_cells.swap(cells);
        m_widths.resize(std::size_t(cols), DefaultColumnWidth);
    } else {
        for (int r = rows; r < m_rows; ++r)
            for (int c = 0; c < m_cols; ++c)
                release(cellRef(r, c));
        m_cells.resize(std::size_t(rows) * std::size_t(cols));
    }
    // Room for the texts of the new cells, so that filling them never copies
    // the store; pages not written to cost nothing.
    constexpr std::size_t ExpectedChars = 8;
    const std::size_t added = m_cells.size() > oldCells ? m_cells.size() - oldCells : 0;
    const std::size_t wanted = m_charCount + added * ExpectedChars;
    if (wanted > m_chars.size() && wanted <= std::numeric_limits<std::uint32_t>::max())
        m_chars.resize(wanted);
    m_rows = rows;
    m_cols = cols;
    m_rowStamps.assign(std::size_t(rows), marksTaken.load(std::memory_order_relaxed));
    compactIfWasteful();
}

std::uint32_t Sheet::mark() {
    return marksTaken.fetch_add(1, std::memory_order_relaxed) + 1;
}

Sheet::Cell& Sheet::changeCell(int row, int col) {
    Cell& c = cellRef(row, col);
    m_rowStamps[std::size_t(row)] = marksTaken.load(std::memory_order_relaxed);
    return c;
}

void Sheet::setEntry(int row, int col, const QString& entry) {
    Cell& c = changeCell(row, col);
    release(c);
    if (entry.isEmpty())
        return;
    if (entry.startsWith(u'\''))
        store(c, Kind::Text, QStringView(entry).mid(1));
    else if (entry.size() > 1 && entry.startsWith(u'='))
        setFormula(row, col, entry, QString());
    else
        store(c, Kind::Plain, entry);
}

void Sheet::setFormula(int row, int col, const QString& formula, const QString& value) {
    Cell& c = changeCell(row, col);
    release(c);
    std::uint32_t slot = 0;
    if (!m_freeFormulas.empty()) {
        slot = m_freeFormulas.back();
        m_freeFormulas.pop_back();
    } else {
        slot = std::uint32_t(m_formulas.size());
        m_formulas.emplace_back();
    }
    // A formula read from a file keeps the value it was read with; a typed one
    // has none, as the sheet does not compute.
    m_formulas[slot] = Formula{formula, value, !value.isNull()};
    c.kind = Kind::Formula;
    c.offset = slot;
    c.length = 0;
}

void Sheet::setText(int row, int col, const QString& text) {
    Cell& c = changeCell(row, col);
    release(c);
    if (!text.isEmpty())
        store(c, needsTextMark(text) ? Kind::Text : Kind::Plain, text);
}

void Sheet::clearContents(int row, int col) {
    release(changeCell(row, col));
}

QString Sheet::text(int row, int col) const {
    return textView(row, col).toString();
}

QStringView Sheet::formulaText(const Cell& c) const {
    const Formula& f = m_formulas[c.offset];
    return f.hasValue ? f.value : f.formula;
}

QString Sheet::entry(int row, int col) const {
    const Cell& c = cell(row, col);
    switch (c.kind) {
    case Kind::Empty:
        return QString();
    case Kind::Plain:
        return storedView(c).toString();
    case Kind::Text:
        return u'\'' + storedView(c).toString();
    case Kind::Formula:
        return m_formulas[c.offset].formula;
    }
    return QString();
}

QString Sheet::formula(int row, int col) const {
    const Cell& c = cell(row, col);
    return c.kind == Kind::Formula ? m_formulas[c.offset].formula : QString();
}

bool Sheet::hasFormulaValue(int row, int col) const {
    const Cell& c = cell(row, col);
    return c.kind == Kind::Formula && m_formulas[c.offset].hasValue;
}

Sheet::Borders Sheet::borders(int row, int col) const {
    const std::uint16_t b = cell(row, col).borders;
    return Borders{std::uint8_t(b & 0xF), std::uint8_t((b >> 4) & 0xF),
                   std::uint8_t((b >> 8) & 0xF), std::uint8_t(b >> 12)};
}

void Sheet::setBorders(int row, int col, Borders borders) {
    for (const int style : {borders.left, borders.right, borders.top, borders.bottom}) {
        if (style > MaxBorderStyle)
            throw std::out_of_range("border style out of range");
    }
    changeCell(row, col).borders = packBorders(borders);
}

void Sheet::catchUp(const Sheet& later, std::uint32_t mark) {
    const bool sameSize = later.m_rows == m_rows && later.m_cols == m_cols;
    std::vector<int> rows;
    for (int r = 0; sameSize && r < m_rows; ++r) {
        if (later.changedSince(r, mark))
            rows.push_back(r);
    }
    // Copying a cell costs far more than copying its bytes along with all
    // the others: beyond an eighth of the rows the whole sheet is copied.
    if (!sameSize || rows.size() * 8 > std::size_t(m_rows)) {
        *this = later;
        return;
    }
    for (const int r : rows) {
        for (int c = 0; c < m_cols; ++c) {
            const Cell& from = later.cell(r, c);
            if (from.kind == Kind::Formula) {
                setFormula(r, c, later.m_formulas[from.offset].formula,
                           later.m_formulas[from.offset].value);
            } else {
                Cell& to = changeCell(r, c);
                release(to);
                if (from.kind != Kind::Empty)
                    store(to, from.kind, later.storedView(from));
            }
            Cell& to = cellRef(r, c);
            to.bold = from.bold;
            to.borders = from.borders;
        }
    }
    m_widths = later.m_widths;
    m_name = later.m_name;
}

std::size_t Sheet::memoryBytes() const {
    std::size_t bytes = sizeof(Sheet) + m_cells.size() * sizeof(Cell) +
                        m_charCount * sizeof(char16_t) + m_formulas.capacity() * sizeof(Formula) +
                        m_freeFormulas.capacity() * sizeof(std::uint32_t) +
                        m_widths.capacity() * sizeof(std::uint16_t) +
                        m_rowStamps.capacity() * sizeof(std::uint32_t);
    for (const Formula& f : m_formulas)
        bytes += std::size_t(f.formula.capacity() + f.value.capacity()) * sizeof(char16_t);
    return bytes;
}

void Sheet::release(Cell& c) {
    if (c.kind == Kind::Formula) {
        m_formulas[c.offset] = Formula{};
        m_freeFormulas.push_back(c.offset);
    } else {
        m_wastedChars += c.length;
    }
    c.kind = Kind::Empty;
    c.offset = 0;
    c.length = 0;
}

void Sheet::store(Cell& c, Kind kind, QStringView text) {
    constexpr std::size_t Limit = std::numeric_limits<std::uint32_t>::max();
    const auto length = std::size_t(text.size());
    if (m_charCount + length > Limit)
        throw std::length_error("sheet text store full");
    if (m_charCount + length > m_chars.size())
        m_chars.resize(std::max({m_chars.size() * 2, m_charCount + length, std::size_t(4096)}));
    c.kind = kind;
    c.offset = std::uint32_t(m_charCount);
    c.length = std::uint32_t(length);
    std::copy_n(reinterpret_cast<const char16_t*>(text.utf16()), length,
                m_chars.data() + m_charCount);
    m_charCount += length;
    if (m_wastedChars > 0)
        compactIfWasteful();
}

// Rewritten cells leave their old text behind; once that is more than half
// of the store, the live texts are copied into a fresh one.
void Sheet::compactIfWasteful() {
    constexpr std::size_t MinWaste = 1 << 16;
    if (m_wastedChars < MinWaste || m_wastedChars * 2 < m_charCount)
        return;
    CharStore chars(m_charCount - m_wastedChars);
    std::size_t used = 0;
    for (Cell& c : m_cells) {
        if (c.kind == Kind::Formula || c.length == 0)
            continue;
        std::copy_n(m_chars.data() + c.offset, c.length, chars.data() + used);
        c.offset = std::uint32_t(used);
        used += c.length;
    }
    m_chars.swap(chars);
    m_charCount = used;
    m_wastedChars = 0;
}

} // namespace quill
