#include "windows/entry/RecordEntry.h"

#include "foundation/DisplayFormat.h"
#include "platform/grid/F1Book.h"
#include "platform/vb/Format.h"
#include "suite/SuiteLib.h"
#include "windows/entry/ChosenRecord.h"

#include <stdexcept>

namespace quill {

namespace {

const QString DeptCaption = QStringLiteral("部门");

bool isBlank(const QVariant& v) {
    return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

} // namespace

RecordEntry::RecordEntry(F1Book& grid)
    : m_grid(grid) {}

RecordEntry::Mode RecordEntry::modeOf(const QString& commandName) {
    if (commandName == u"添加")
        return Mode::Add;
    if (commandName == u"修改")
        return Mode::Modify;
    if (commandName == u"删除")
        return Mode::Delete;
    return Mode::Other;
}

void RecordEntry::open() {
    SuiteLib& lib = SuiteLib::instance();
    m_lookup.Close();
    m_lookup.Open(QStringLiteral("select * from zdb1 where proval='DATABASE'"), *lib.Connection);
    m_data.Close();
    m_data.Open(lib.QuerySql, *lib.Connection);
    m_recordCount = m_data.RecordCount();

    const int count = m_data.FieldCount();
    if (count > MaxFields)
        throw std::runtime_error(QStringLiteral("查询有%1个项目，录入窗口最多只能显示%2个")
                                     .arg(count)
                                     .arg(MaxFields)
                                     .toStdString());
    m_fields.clear();
    for (int i = 0; i < count; ++i) {
        EntryField f;
        f.name = m_data.FieldName(i);
        f.caption = lib.ColumnLookup(f.name);
        f.type = lib.ColumnType(f.caption);
        f.width = lib.ColumnWidth(f.caption);
        f.code = typeCodeOf(f.type);
        f.orgLevel = lib.OrgLevel(f.caption);
        m_fields.push_back(f);
        const QString upper = f.name.toUpper();
        m_hasPhoto = m_hasPhoto || upper == QLatin1String("PHOTO");
        m_hasZhdate = m_hasZhdate || upper == QLatin1String("ZHDATE");
        m_hasMemberId = m_hasMemberId || upper == QLatin1String("MEMBERID");
    }
    m_shown = QStringList(count, QString());
    m_grid.SetLastRow(count);
    m_grid.SetLastCol(2);
    m_grid.SetColHeading(1, QStringLiteral("项目"));
    m_grid.SetColHeading(2, QStringLiteral("项目值"));
    for (int k = 1; k <= count; ++k)
        m_grid.SetCellText(k, 1, field(k).caption.isEmpty() ? QString() : u'\'' + field(k).caption);
}

void RecordEntry::positionOn(long n) {
    if (n == m_recordCount) {
        m_data.MoveLast();
        return;
    }
    m_data.MoveFirst();
    for (long i = 1; i < n && !m_data.Eof(); ++i)
        m_data.MoveNext();
}

bool RecordEntry::positionOnChosen() {
    SuiteLib& lib = SuiteLib::instance();
    positionOn(lib.CurrentRow);
    const std::optional<Recordset::RowIdentity> chosen = ChosenRecord::identityFor(lib.QuerySql);
    if (!chosen)
        return !m_data.Eof() && !m_data.Bof();
    if (!m_data.MoveToIdentity(*chosen))
        return false;
    lib.CurrentRow = m_data.AbsolutePosition() + 1;
    return true;
}

std::optional<Recordset::RowIdentity> RecordEntry::currentIdentity() const {
    return m_data.Eof() || m_data.Bof() ? std::nullopt : m_data.Identity();
}

int RecordEntry::rowOf(const QString& fieldName) const {
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return int(i) + 1;
    }
    return 0;
}

QString RecordEntry::recordText(const QString& fieldName) const {
    const int i = m_data.FieldIndex(fieldName);
    return i < 0 || m_data.Eof() || m_data.Bof() ? QString() : m_data.Value(i).toString();
}

QString RecordEntry::departmentName() const {
    if (const int row = rowOf(QStringLiteral("DEPART")))
        return valueText(row).trimmed();
    return SuiteLib::instance().DeptName(DeptCaption, recordText(QStringLiteral("DEPART")));
}

QString RecordEntry::teamName() const {
    if (const int row = rowOf(QStringLiteral("GROUP0")))
        return valueText(row).trimmed();
    return SuiteLib::instance().TeamName(departmentName(), recordText(QStringLiteral("GROUP0")));
}

QString RecordEntry::shownText(int row) const {
    SuiteLib& lib = SuiteLib::instance();
    const EntryField& f = field(row);
    const QVariant v = m_data.Value(row - 1);
    switch (f.code) {
    case TypeCode::S: {
        if (v.isNull())
            return QString();
        const QString code = v.toString();
        const QString dept = lib.DeptName(DeptCaption, recordText(QStringLiteral("DEPART")));
        switch (f.orgLevel) {
        case 3:
            return lib.DeptName(f.caption, code);
        case 2:
            return lib.TeamName(dept, code);
        case 1:
            return lib.GroupName(dept, lib.TeamName(dept, recordText(QStringLiteral("GROUP0"))),
                                 code);
        default:
            return code;
        }
    }
    case TypeCode::D:
        return vb::Format(v.isNull() ? QVariant(0) : v, displayFormat(f.code, f.width));
    case TypeCode::I:
        return v.isNull() ? QStringLiteral("0") : v.toString();
    case TypeCode::T:
    case TypeCode::Y:
        return isBlank(v) ? QString() : vb::Format(v, displayFormat(f.code, f.width));
    case TypeCode::B:
        // The texts the OK button reads back as true and false.
        return v.isNull()   ? QString()
               : v.toBool() ? QStringLiteral("True")
                            : QStringLiteral("False");
    default:
        return v.isNull() ? QString() : v.toString();
    }
}

void RecordEntry::putValue(int row, const QString& text) {
    // The mark keeps every value a text, shown as it is ("007", "=1").
    m_grid.SetCellText(row, 2, text.isEmpty() ? QString() : u'\'' + text);
}

QString RecordEntry::valueText(int row) const {
    return m_grid.CellText(row, 2);
}

void RecordEntry::XS() {
    const QString readOnly = SuiteLib::instance().ReadOnlyColumns1;
    for (int k = 1; k <= fieldCount(); ++k) {
        if (listedIn(readOnly, field(k).caption)) {
            m_shown[k - 1] = valueText(k);
            continue;
        }
        const QString text = shownText(k);
        putValue(k, text);
        m_shown[k - 1] = text;
    }
    m_recordShown = true;
}

void RecordEntry::showRecord() {
    XS();
    if (m_hasMemberId)
        SuiteLib::instance().CurrentMemberId = recordText(QStringLiteral("memberid"));
}

void RecordEntry::clearValues(int keep) {
    // Rows past the fields are empty already; writing them would grow the grid.
    for (int r = 1; r <= m_grid.LastRow(); ++r) {
        if (r != keep)
            m_grid.SetCellText(r, 2, QString());
    }
    m_shown.fill(QString());
    m_recordShown = false;
}

bool RecordEntry::edited(int row) const {
    return valueText(row) != m_shown[row - 1];
}

QString RecordEntry::photoPath() const {
    return m_hasPhoto ? recordText(QStringLiteral("PHOTO")) : QString();
}

} // namespace quill
