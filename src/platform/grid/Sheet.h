#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace quill {

// One worksheet as plain data: a rectangle of cells (0-based here; a cell
// outside it raises std::out_of_range), the column widths, the sheet name,
// bold and borders per cell. Cells are kept compact, 12 bytes each plus their
// text in one shared character store, so a sheet of 16380 rows by 100
// columns stays small and quick to fill.
//
// A cell holds an entry. An entry beginning with "'" is a text shown without
// the "'"; one beginning with "=" is a formula, shown by the value it was
// read with (or by its own text when it has none); any other entry is shown
// as written.
class Sheet {
public:
    enum class Kind : std::uint8_t { Empty, Plain, Text, Formula };

    // Border line styles per edge, numbered as in workbook files: 0 none,
    // 1 thin, 2 medium, 3 dashed, 4 dotted, 5 thick, 6 double, 7 hair, up to 13.
    struct Borders {
        std::uint8_t left = 0;
        std::uint8_t right = 0;
        std::uint8_t top = 0;
        std::uint8_t bottom = 0;

        bool isNone() const { return (left | right | top | bottom) == 0; }
        bool operator==(const Borders&) const = default;
    };

    static constexpr int MaxRows = 1048576;
    static constexpr int MaxCols = 16384;
    // Cells one sheet may hold (about 800 MB): far beyond any report.
    static constexpr long long MaxCells = 1LL << 26;
    static constexpr int MaxBorderStyle = 13;
    // Column width in 1/256 of a character width: 9 characters.
    static constexpr int DefaultColumnWidth = 2304;

    Sheet() = default;

    int rowCount() const { return m_rows; }
    int columnCount() const { return m_cols; }
    // Cells inside the new rectangle keep their contents.
    void resize(int rows, int cols);
    // Raises std::out_of_range for a size resize() refuses.
    static void checkSize(int rows, int cols);

    // The sheet's entry rules apply: "'" text, "=" formula, else plain.
    void setEntry(int row, int col, const QString& entry);
    // A formula (with its leading "=") and the value it shows.
    void setFormula(int row, int col, const QString& formula, const QString& value);
    // A text that stays a text whatever it looks like (no "'" needed).
    void setText(int row, int col, const QString& text);
    void clearContents(int row, int col);

    Kind kind(int row, int col) const { return cell(row, col).kind; }
    // What the cell shows.
    QString text(int row, int col) const;
    // The same without a copy, for reading many cells; valid until the sheet
    // changes.
    QStringView textView(int row, int col) const {
        const Cell& c = cell(row, col);
        return c.kind == Kind::Formula ? formulaText(c) : storedView(c);
    }
    // What was entered: "'" + text for a text that needs the mark, the
    // formula for a formula, else the text.
    QString entry(int row, int col) const;
    // The formula text (with "="); "" for other cells.
    QString formula(int row, int col) const;
    // Whether a formula cell carries the value it was read with.
    bool hasFormulaValue(int row, int col) const;

    bool bold(int row, int col) const { return cell(row, col).bold; }
    void setBold(int row, int col, bool on) { changeCell(row, col).bold = on; }
    Borders borders(int row, int col) const;
    void setBorders(int row, int col, Borders borders);

    int columnWidth(int col) const { return m_widths.at(std::size_t(col)); }
    void setColumnWidth(int col, int width) {
        m_widths.at(std::size_t(col)) = std::uint16_t(width);
    }

    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    // Marks for finding changed rows without comparing every cell: a row
    // whose cells were set, cleared or formatted after mark() was taken, on
    // whichever sheet, has changedSince(row, that mark); a resize changes
    // every row.
    static std::uint32_t mark();
    bool changedSince(int row, std::uint32_t mark) const {
        return m_rowStamps.at(std::size_t(row)) >= mark;
    }
    // Makes this sheet, a copy of `later` taken after the mark, equal to it
    // again: when few rows changed since, only those are copied.
    void catchUp(const Sheet& later, std::uint32_t mark);

    // Bytes in use for cells, texts, formulas, widths and row stamps.
    std::size_t memoryBytes() const;

private:
    struct Cell {
        std::uint32_t offset = 0; // into m_chars, or into m_formulas for a formula
        std::uint32_t length = 0;
        std::uint16_t borders = 0;
        Kind kind = Kind::Empty;
        bool bold = false;
    };
    struct Formula {
        QString formula;
        QString value;
        bool hasValue = false;
    };

    // Every cell access goes through these two: a position outside the
    // rectangle raises std::out_of_range rather than reach another cell.
    std::size_t cellIndex(int row, int col) const {
        if (unsigned(row) >= unsigned(m_rows) || unsigned(col) >= unsigned(m_cols))
            outsideTheSheet(row, col);
        return std::size_t(row) * std::size_t(m_cols) + std::size_t(col);
    }
    [[noreturn]] static void outsideTheSheet(int row, int col);
    const Cell& cell(int row, int col) const { return m_cells[cellIndex(row, col)]; }
    Cell& cellRef(int row, int col) { return m_cells[cellIndex(row, col)]; }
    // The cell whose contents are about to change, its row stamped.
    Cell& changeCell(int row, int col);
    QStringView storedView(const Cell& c) const {
        // No characters read as a null text, as an empty cell's does.
        if (c.length == 0)
            return QStringView();
        return QStringView(m_chars.data() + c.offset, qsizetype(c.length));
    }
    QStringView formulaText(const Cell& c) const;
    void release(Cell& c);
    void store(Cell& c, Kind kind, QStringView text);
    void compactIfWasteful();

    int m_rows = 0;
    int m_cols = 0;
    std::vector<Cell> m_cells;
    // Leaves new characters uninitialised: the store grows ahead of use and
    // every character is written before it is read.
    template <typename T> struct UninitializedAllocator : std::allocator<T> {
        template <typename U> struct rebind { using other = UninitializedAllocator<U>; };
        UninitializedAllocator() = default;
        template <typename U> UninitializedAllocator(const UninitializedAllocator<U>&) {}
        template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
        template <typename U, typename... Args> void construct(U* p, Args&&... args) {
            ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
        }
    };
    using CharStore = std::vector<char16_t, UninitializedAllocator<char16_t>>;

    // Texts of all cells one after another; only the first m_charCount are used.
    CharStore m_chars;
    std::size_t m_charCount = 0;
    std::size_t m_wastedChars = 0;
    std::vector<Formula> m_formulas;
    std::vector<std::uint32_t> m_freeFormulas;
    std::vector<std::uint16_t> m_widths;
    // Per row, the marks taken when its contents last changed.
    std::vector<std::uint32_t> m_rowStamps;
    QString m_name;
};

} // namespace quill
