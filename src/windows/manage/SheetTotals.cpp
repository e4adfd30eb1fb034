#include "windows/manage/SheetTotals.h"

#include "foundation/Mdlx.h"
#include "platform/grid/F1Book.h"
#include "platform/vb/Format.h"
#include "platform/vb/PlainText.h"
#include "platform/vb/Val.h"
#include "suite/SuiteLib.h"

#include <algorithm>

namespace quill {

void SheetTotals::append(F1Book& book, const std::vector<SheetColumn>& columns,
                         const RowRanges& recordRows, int firstCol) {
    const int row = book.LastRow() + 1;
    book.SetLastRow(row);
    book.SetCellText(row, 1, QStringLiteral("合计："));
    for (int c = 2; c <= book.LastCol(); ++c)
        book.SetCellText(row, c, QString());

    const Mdlx& mdlx = Mdlx::instance();
    const SuiteLib& lib = SuiteLib::instance();
    const int count = std::clamp(mdlx.SumCount, 0, Mdlx::MaxSumFields);
    for (int i = 0; i < count; ++i) {
        const QString& item = mdlx.SumFields[std::size_t(i)];
        if (item.contains(QLatin1String("FM0")))
            continue;
        const QString caption = lib.ColumnLookup(item);
        if (caption.isEmpty())
            continue; // an unknown item matches no column, not the unknown ones
        for (const SheetColumn& column : columns) {
            if (column.caption != caption)
                continue;
            const int col = firstCol + column.field;
            double total = 0;
            for (const auto& [first, last] : recordRows) {
                for (int r = first; r <= last; ++r)
                    total += vb::Val(book.CellText(r, col));
            }
            book.SetCellText(row, col,
                             column.kind == SheetColumn::Kind::Decimal
                                 ? vb::Format(total, column.format)
                                 : vb::NumberText(total));
        }
    }
}

} // namespace quill
