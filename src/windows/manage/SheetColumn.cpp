#include "windows/manage/SheetColumn.h"

#include "platform/db/Recordset.h"
#include "suite/SuiteLib.h"

namespace quill {

namespace {

SheetColumn::Kind kindOf(const QString& type) {
    switch (type.isEmpty() ? u'\0' : type.at(0).unicode()) {
    case u'S':
        return SheetColumn::Kind::Text;
    case u'D':
        return SheetColumn::Kind::Decimal;
    case u'I':
        return SheetColumn::Kind::Whole;
    case u'T':
        return SheetColumn::Kind::Date;
    case u'Y':
        return SheetColumn::Kind::Time;
    default:
        return SheetColumn::Kind::Other;
    }
}

QString defaultFormat(SheetColumn::Kind kind) {
    switch (kind) {
    case SheetColumn::Kind::Decimal:
        return QStringLiteral("#0.00");
    case SheetColumn::Kind::Date:
        return QStringLiteral("yyyy-mm-dd");
    case SheetColumn::Kind::Time:
        return QStringLiteral("hh:nn:ss");
    default:
        return QString();
    }
}

} // namespace

QString SheetColumn::captionOf(const QString& fieldName) {
    const SuiteLib& lib = SuiteLib::instance();
    const QString caption = lib.ColumnLookup(fieldName);
    if (caption.isEmpty() && fieldName.startsWith(QLatin1String("sum")))
        return lib.ColumnLookup(fieldName.mid(3));
    return caption;
}

std::vector<SheetColumn> SheetColumn::resolve(const Recordset& data) {
    SuiteLib& lib = SuiteLib::instance();
    const QString& readOnly = lib.ReadOnlyColumns1;
    std::vector<SheetColumn> columns(std::size_t(data.FieldCount()));
    for (int i = 0; i < data.FieldCount(); ++i) {
        SheetColumn& c = columns[std::size_t(i)];
        c.field = i;
        c.fieldName = data.FieldName(i);
        c.caption = captionOf(c.fieldName);
        c.kind = kindOf(lib.ColumnType(c.caption));
        c.keep = c.fieldName.contains(QLatin1String("FM0"));
        // An unknown field has no caption; it is not taken as listed.
        c.blank = !c.keep && !c.caption.isEmpty() && readOnly.contains(c.caption);
        if (c.kind == Kind::Decimal || c.kind == Kind::Date || c.kind == Kind::Time) {
            c.format = lib.ColumnWidth(c.caption);
            if (c.format.isEmpty())
                c.format = defaultFormat(c.kind);
            c.compiled = vb::CompiledFormat::of(c.format);
        }
        if (c.kind == Kind::Text)
            c.orgLevel = lib.OrgLevel(c.caption);
    }
    return columns;
}

} // namespace quill
