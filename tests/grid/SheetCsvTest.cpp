#include "platform/grid/SheetCsv.h"
#include "platform/grid/F1Book.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace quill {
namespace {

// A field is quoted exactly when it holds a comma, a quote or a line end,
// and its quotes are doubled; anything else stands as it is.
TEST(SheetCsvTest, FieldsAreQuotedOnlyWhereTheyMustBe) {
    const QList<std::pair<QString, QString>> cases = {
        {QString(), QString()},     {"工资 12.50", "工资 12.50"}, {"a,b", "\"a,b\""},
        {"5\" 盘", "\"5\"\" 盘\""}, {"上\r\n下", "\"上\r\n下\""}, {"行\n", "\"行\n\""},
        {"'=1+1", "'=1+1"},
    };
    for (const auto& [text, field] : cases)
        EXPECT_EQ(SheetCsv::field(text), field) << text.toStdString();
}

// The headings lead only when the grid shows them; every row ends in CR LF,
// in UTF-8, empty cells included.
TEST(SheetCsvTest, RowsOfTheSheetWithTheHeadingsShown) {
    F1Book book;
    book.SetLastCol(2);
    book.SetLastRow(2);
    book.SetColHeading(1, "姓名");
    book.SetColHeading(2, "金额");
    book.SetCellText(1, 1, "王,五");
    book.SetCellText(1, 2, "12.50");
    book.SetCellText(2, 1, "合计：");
    for (const bool headings : {true, false}) {
        book.setShowColHeading(headings);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        SheetCsv::write(book, out);
        const QString body = "\"王,五\",12.50\r\n合计：,\r\n";
        EXPECT_EQ(QString::fromUtf8(out.data()),
                  headings ? QStringLiteral("姓名,金额\r\n") + body : body);
    }
}

} // namespace
} // namespace quill
