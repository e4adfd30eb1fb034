#include "windows/entry/RecordNavigator.h"

#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/entry/RecordEntry.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace quill {

namespace {

// A stored value as text: dates and times in their ISO forms.
QString storedText(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    default:
        return v.isNull() ? QString() : v.toString();
    }
}

} // namespace

RecordNavigator::RecordNavigator(RecordEntry& entry)
    : m_entry(entry) {}

QString RecordNavigator::next() {
    SuiteLib& lib = SuiteLib::instance();
    if (lib.CurrentRow >= m_entry.recordCount())
        return QStringLiteral("记录到底！");
    m_entry.data().MoveNext();
    ++lib.CurrentRow;
    m_entry.showRecord();
    return QString();
}

QString RecordNavigator::previous() {
    SuiteLib& lib = SuiteLib::instance();
    if (lib.CurrentRow < 2)
        return QStringLiteral("记录到顶！");
    m_entry.data().MovePrevious();
    --lib.CurrentRow;
    m_entry.showRecord();
    return QString();
}

bool RecordNavigator::matches(int row, const QString& key) const {
    const QString upper = key.toUpper();
    return storedText(m_entry.data().Value(row - 1)).toUpper() == upper ||
           m_entry.shownText(row).toUpper() == upper;
}

QString RecordNavigator::find(int row) {
    SuiteLib& lib = SuiteLib::instance();
    if (row < 1 || row > m_entry.fieldCount())
        return QStringLiteral("没有记录！");
    m_entry.grid().SetActiveCell(row, 1);
    const QString key = m_entry.valueText(row);
    Recordset& data = m_entry.data();
    lib.CurrentRow = 0;
    for (data.MoveFirst(); !data.Eof(); data.MoveNext()) {
        ++lib.CurrentRow;
        if (matches(row, key)) {
            m_entry.showRecord();
            return QStringLiteral("查找完成！");
        }
    }
    // CurrentRow is the record count; the recordset stands on that record
    // again, so that next, previous and CurrentRow keep agreeing.
    if (lib.CurrentRow == m_entry.recordCount()) {
        m_entry.clearValues(row);
        if (m_entry.recordCount() > 0)
            data.MoveLast();
    }
    return QStringLiteral("没有记录！");
}

} // namespace quill
