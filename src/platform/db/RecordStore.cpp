#include "RecordStore.h"

#include <QDate>
#include <QTime>

#include <algorithm>

namespace quill {

RecordStore::Cell RecordStore::cellOf(const QVariant& value, Cell* previous) {
    Cell cell;
    cell.number = 0;
    cell.tag = Tag::Null;
    if (value.isNull())
        return cell;
    switch (value.typeId()) {
    case QMetaType::Int:
        cell.number = value.toInt();
        cell.tag = Tag::Int;
        return cell;
    case QMetaType::LongLong:
        cell.number = value.toLongLong();
        cell.tag = Tag::LongLong;
        return cell;
    case QMetaType::Double:
        cell.real = value.toDouble();
        cell.tag = Tag::Double;
        return cell;
    case QMetaType::Bool:
        cell.number = value.toBool() ? 1 : 0;
        cell.tag = Tag::Bool;
        return cell;
    case QMetaType::QDate:
        cell.number = value.toDate().toJulianDay();
        cell.tag = Tag::Date;
        return cell;
    case QMetaType::QTime:
        cell.number = value.toTime().msecsSinceStartOfDay();
        cell.tag = Tag::Time;
        return cell;
    case QMetaType::QString:
        // A changed text reuses the slot of the one it replaces.
        if (previous && previous->tag == Tag::String) {
            m_strings[previous->number] = value.toString();
            cell.number = previous->number;
        } else {
            cell.number = m_strings.size();
            m_strings.append(value.toString());
        }
        cell.tag = Tag::String;
        return cell;
    default:
        if (previous && previous->tag == Tag::Other) {
            m_others[previous->number] = value;
            cell.number = previous->number;
        } else {
            cell.number = m_others.size();
            m_others.append(value);
        }
        cell.tag = Tag::Other;
        return cell;
    }
}

QVariant RecordStore::valueOf(const Cell& cell) const {
    switch (cell.tag) {
    case Tag::Null:
        return {};
    case Tag::Int:
        return static_cast<int>(cell.number);
    case Tag::LongLong:
        return static_cast<qlonglong>(cell.number);
    case Tag::Double:
        return cell.real;
    case Tag::Bool:
        return cell.number != 0;
    case Tag::Date:
        return QDate::fromJulianDay(cell.number);
    case Tag::Time:
        return QTime::fromMSecsSinceStartOfDay(static_cast<int>(cell.number));
    case Tag::String:
        return m_strings.at(cell.number);
    case Tag::Other:
        return m_others.at(cell.number);
    }
    return {};
}

void RecordStore::append(const QVariant& value) {
    m_cells.push_back(cellOf(value, nullptr));
}

void RecordStore::endRecord(qint64 identity, qint64 version) {
    m_identities.push_back(identity);
    m_versions.push_back(version);
    m_deleted.push_back(0);
}

void RecordStore::appendEmptyRecord() {
    for (int f = 0; f < m_fieldCount; ++f)
        append(QVariant());
    endRecord(0, 0);
}

void RecordStore::squeeze() {
    m_cells.shrink_to_fit();
    m_strings.squeeze();
    m_others.squeeze();
    m_identities.shrink_to_fit();
    m_versions.shrink_to_fit();
    m_deleted.shrink_to_fit();
}

void RecordStore::clear() {
    m_cells.clear();
    m_strings.clear();
    m_others.clear();
    m_identities.clear();
    m_versions.clear();
    m_deleted.clear();
    m_deletedCount = 0;
}

void RecordStore::setValue(int row, int field, const QVariant& value) {
    Cell& cell = m_cells[static_cast<size_t>(row) * static_cast<size_t>(m_fieldCount) +
                         static_cast<size_t>(field)];
    cell = cellOf(value, &cell);
}

void RecordStore::markDeleted(int row) {
    if (m_deleted[static_cast<size_t>(row)])
        return;
    m_deleted[static_cast<size_t>(row)] = 1;
    ++m_deletedCount;
}

int RecordStore::liveBefore(int row) const {
    const int end = std::clamp(row, 0, rowCount());
    return static_cast<int>(std::count(m_deleted.begin(), m_deleted.begin() + end, 0));
}

} // namespace quill
