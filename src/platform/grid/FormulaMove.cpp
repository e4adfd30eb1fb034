#include "FormulaMove.h"

#include "CellRange.h"
#include "Sheet.h"

#include "platform/vb/AsciiDigit.h"

#include <optional>

namespace quill {

namespace {

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$' || c == u'\\';
}

// The moved text of a word that is a cell reference; the word unchanged
// when it is none.
QString movedReference(QStringView word, int rows, int cols) {
    qsizetype i = 0;
    const bool colFixed = i < word.size() && word[i] == u'$';
    i += colFixed ? 1 : 0;
    const qsizetype lettersFrom = i;
    while (i < word.size() && i - lettersFrom < 4 && word[i].unicode() < 128 && word[i].isLetter())
        ++i;
    const qsizetype letters = i - lettersFrom;
    const bool rowFixed = i < word.size() && word[i] == u'$';
    i += rowFixed ? 1 : 0;
    const qsizetype digitsFrom = i;
    while (i < word.size() && vb::isAsciiDigit(word[i]))
        ++i;
    if (letters < 1 || letters > 3 || i == digitsFrom || i != word.size())
        return word.toString();
    const auto at = CellRange::parseCell(word);
    if (!at)
        return word.toString();
    const long long row = at->firstRow + (rowFixed ? 0LL : rows);
    const long long col = at->firstCol + (colFixed ? 0LL : cols);
    if (row < 0 || row >= Sheet::MaxRows || col < 0 || col >= Sheet::MaxCols)
        return QStringLiteral("#REF!");
    return (colFixed ? QStringLiteral("$") : QString()) + CellRange::columnName(int(col)) +
           (rowFixed ? QStringLiteral("$") : QString()) + QString::number(row + 1);
}

// One end of a whole-column ("$B") or whole-row ("$7") range moved; nothing
// when the word is no such end.
std::optional<QString> movedLine(QStringView word, bool columns, int by) {
    const bool fixed = word.startsWith(u'$');
    const QStringView name = word.mid(fixed ? 1 : 0);
    if (name.isEmpty() || name.size() > 7)
        return std::nullopt;
    long long index = 0;
    for (const QChar c : name) {
        if (columns && c.unicode() < 128 && c.isLetter())
            index = index * 26 + (c.toUpper().unicode() - u'A' + 1);
        else if (!columns && vb::isAsciiDigit(c))
            index = index * 10 + (c.unicode() - u'0');
        else
            return std::nullopt;
    }
    const long long last = columns ? Sheet::MaxCols : Sheet::MaxRows;
    if (index < 1 || index > last)
        return std::nullopt;
    const long long moved = index + (fixed ? 0 : by);
    if (moved < 1 || moved > last)
        return QStringLiteral("#REF!");
    return (fixed ? QStringLiteral("$") : QString()) +
           (columns ? CellRange::columnName(int(moved - 1)) : QString::number(moved));
}

// A whole-column or whole-row range "B:D" / "3:5" moved; nothing when the
// text is none.
std::optional<QString> movedLines(QStringView first, QStringView second, int rows, int cols) {
    for (const bool columns : {true, false}) {
        const int by = columns ? cols : rows;
        const auto a = movedLine(first, columns, by);
        const auto b = movedLine(second, columns, by);
        if (a && b)
            return *a + u':' + *b;
    }
    return std::nullopt;
}

} // namespace

QString movedFormula(QStringView formula, int rows, int cols) {
    QString out;
    out.reserve(formula.size() + 8);
    const qsizetype n = formula.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = formula[i];
        if (c == u'"' || c == u'\'' || c == u'[') {
            // A text, a quoted sheet name or a bracketed part, copied whole;
            // a doubled quote stays inside.
            const QChar close = c == u'[' ? QChar(u']') : c;
            qsizetype j = i + 1;
            for (; j < n; ++j) {
                if (formula[j] == close) {
                    if (close != u']' && j + 1 < n && formula[j + 1] == close) {
                        ++j;
                        continue;
                    }
                    break;
                }
            }
            j = std::min(j + 1, n);
            out += formula.mid(i, j - i);
            i = j;
        } else if (isNameChar(c)) {
            qsizetype j = i;
            while (j < n && isNameChar(formula[j]))
                ++j;
            const QStringView word = formula.mid(i, j - i);
            if (j + 1 < n && formula[j] == u':' && isNameChar(formula[j + 1])) {
                qsizetype k = j + 1;
                while (k < n && isNameChar(formula[k]))
                    ++k;
                if (const auto lines =
                        movedLines(word, formula.mid(j + 1, k - j - 1), rows, cols)) {
                    out += *lines;
                    i = k;
                    continue;
                }
            }
            const bool function = j < n && (formula[j] == u'(' || formula[j] == u'!');
            out += function ? word.toString() : movedReference(word, rows, cols);
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace quill
