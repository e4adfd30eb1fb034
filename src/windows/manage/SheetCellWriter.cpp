#include "windows/manage/SheetCellWriter.h"

#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "platform/vb/Format.h"
#include "platform/vb/PlainText.h"
#include "platform/vb/Val.h"
#include "suite/SuiteLib.h"

#include <bit>

namespace quill {

namespace {

bool isNull(const QVariant& value) {
    return !value.isValid() || value.isNull();
}

bool isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

// A stored text is shown as it is, even one that would read as a formula
// ("=...") or lose its first character ("'...").
QString asShown(QString text) {
    if (!text.isEmpty() && (text.front() == u'=' || text.front() == u'\''))
        text.prepend(u'\'');
    return text;
}

} // namespace

SheetCellWriter::SheetCellWriter(F1Book& book, const Recordset& data,
                                 const std::vector<SheetColumn>& columns, bool blankForZero)
    : m_book(book)
    , m_data(data)
    , m_columns(columns)
    , m_blankForZero(blankForZero)
    , m_departField(data.FieldIndex(QStringLiteral("DEPART")))
    , m_teamField(data.FieldIndex(QStringLiteral("GROUP0")))
    , m_formatted(columns.size()) {}

template <typename Make>
QString SheetCellWriter::remembered(const SheetColumn& column, quint64 key, Make make) {
    constexpr qsizetype Limit = 8192; // distinct values kept per column
    constexpr int Trial = 1024;       // look-ups before the hit rate is judged
    Remembered& memo = m_formatted[std::size_t(column.field)];
    if (memo.off)
        return make();
    if (++memo.lookups == Trial && memo.hits * 4 < Trial) {
        memo.off = true;
        memo.texts = {};
        return make();
    }
    const auto found = memo.texts.constFind(key);
    if (found != memo.texts.cend()) {
        ++memo.hits;
        return *found;
    }
    QString text = make();
    if (memo.texts.size() < Limit)
        memo.texts.insert(key, text);
    return text;
}

void SheetCellWriter::writeRecord(int row, int firstCol) {
    m_haveDepartment = false;
    m_haveTeam = false;
    const Sheet& sheet = m_book.sheet();
    for (const SheetColumn& column : m_columns) {
        if (column.keep)
            continue;
        const int col = firstCol + column.field;
        if (column.blank) {
            m_book.SetCellText(row, col, QString());
            continue;
        }
        const QVariant value = m_data.Value(column.field);
        switch (column.kind) {
        case SheetColumn::Kind::Text:
        case SheetColumn::Kind::Other:
            m_book.SetCellText(row, col, textCell(column, value));
            break;
        case SheetColumn::Kind::Decimal:
        case SheetColumn::Kind::Whole:
            if (row > sheet.rowCount() || col > sheet.columnCount() ||
                sheet.kind(row - 1, col - 1) == Sheet::Kind::Empty)
                m_book.SetCellText(row, col, numberCell(column, value));
            break;
        case SheetColumn::Kind::Date:
        case SheetColumn::Kind::Time:
            m_book.SetCellText(row, col, dateCell(column, value));
            break;
        }
    }
}

QString SheetCellWriter::textCell(const SheetColumn& column, const QVariant& value) {
    if (isNull(value) || value.typeId() == QMetaType::QByteArray)
        return QString();
    const QString text = vb::PlainText(value);
    SuiteLib& lib = SuiteLib::instance();
    switch (column.orgLevel) {
    case 3:
        return lib.DeptName(column.caption, text);
    case 2:
        return lib.TeamName(departmentName(), text);
    case 1:
        return lib.GroupName(departmentName(), teamName(), text);
    default:
        return asShown(text);
    }
}

QString SheetCellWriter::numberCell(const SheetColumn& column, const QVariant& value) {
    QString text;
    if (column.kind == SheetColumn::Kind::Decimal) {
        if (isNull(value) || isNumber(value)) {
            const double number = isNull(value) ? 0.0 : value.toDouble(); // a missing amount is 0
            text = remembered(column, std::bit_cast<quint64>(number),
                              [&] { return vb::Format(number, column.format); });
        } else
            text = vb::Format(value, column.format);
    } else {
        text = vb::PlainText(value);
    }
    if (m_blankForZero && vb::Val(text) == 0)
        return QString();
    return text;
}

QString SheetCellWriter::dateCell(const SheetColumn& column, const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDate:
        return remembered(column, quint64(value.toDate().toJulianDay()),
                          [&] { return vb::Format(value, column.format); });
    case QMetaType::QTime:
        return remembered(column, quint64(value.toTime().msecsSinceStartOfDay()),
                          [&] { return vb::Format(value, column.format); });
    default:
        return vb::Format(value, column.format);
    }
}

const QString& SheetCellWriter::departmentName() {
    if (!m_haveDepartment) {
        const QVariant code = m_departField < 0 ? QVariant() : m_data.Value(m_departField);
        m_department = SuiteLib::instance().DeptName(QStringLiteral("部门"), vb::PlainText(code));
        m_haveDepartment = true;
    }
    return m_department;
}

const QString& SheetCellWriter::teamName() {
    if (!m_haveTeam) {
        const QVariant code = m_teamField < 0 ? QVariant() : m_data.Value(m_teamField);
        m_team = SuiteLib::instance().TeamName(departmentName(), vb::PlainText(code));
        m_haveTeam = true;
    }
    return m_team;
}

} // namespace quill
