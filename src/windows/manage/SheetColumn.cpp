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

// The field's name as the dictionary spells it: PostgreSQL gives names in
// lower case, and the "FM0" and "sum" marks and the width keys are read
// with their letter case.
QString dictionaryName(const QString& name, const QString& caption) {
    if (caption.isEmpty())
        return name;
    const QString field = SuiteLib::instance().ColumnLookup(caption);
    if (field.compare(name, Qt::CaseInsensitive) == 0)
        return field;
    if (name.startsWith(QLatin1String("sum")) &&
        field.compare(name.mid(3), Qt::CaseInsensitive) == 0)
        return QStringLiteral("sum") + field;
    return name;
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
        c.caption = captionOf(data.FieldName(i));
        c.fieldName = dictionaryName(data.FieldName(i), c.caption);
        c.kind = kindOf(lib.ColumnType(c.caption));
        c.keep = c.fieldName.contains(QLatin1String("FM0"));
        // An unknown field has no caption; it is not taken as listed.
        c.blank = !c.keep && !c.caption.isEmpty() && readOnly.contains(c.caption);
        if (c.kind == Kind::Decimal || c.kind == Kind::Date || c.kind == Kind::Time) {
            c.format = lib.ColumnWidth(c.caption);
            if (c.format.isEmpty())
                c.format = defaultFormat(c.kind);
        }
        if (c.kind == Kind::Text)
            c.orgLevel = lib.OrgLevel(c.caption);
    }
    return columns;
}

} // namespace quill
