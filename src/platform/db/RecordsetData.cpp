#include "RecordsetData.h"

#include "platform/db/RecordEngine.h"

#include <algorithm>

namespace quill {

namespace {

size_t foldedHash(QStringView name) {
    size_t h = 14695981039346656037ull;
    for (const QChar c : name) {
        h ^= c.toCaseFolded().unicode();
        h *= 1099511628211ull;
    }
    return h;
}

} // namespace

RecordsetData::RecordsetData() = default;
RecordsetData::~RecordsetData() = default;

void RecordsetData::indexFields() {
    m_names.clear();
    for (int i = 0; i < fieldCount(); ++i)
        m_names.emplace_back(foldedHash(fields[static_cast<size_t>(i)].name), i);
    std::stable_sort(m_names.begin(), m_names.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
}

int RecordsetData::fieldIndex(QStringView name) const {
    const size_t h = foldedHash(name);
    auto it = std::lower_bound(m_names.begin(), m_names.end(), h,
                               [](const auto& entry, size_t key) { return entry.first < key; });
    for (; it != m_names.end() && it->first == h; ++it) {
        if (name.compare(fields[static_cast<size_t>(it->second)].name, Qt::CaseInsensitive) == 0)
            return it->second;
    }
    return -1;
}

bool RecordsetData::has(int row) {
    while (row >= rowCount() && cursor) {
        if (!cursor->fetch(nextBlock(), *this))
            cursor.reset();
        stopAtMaxRecords();
    }
    return row < rowCount();
}

void RecordsetData::readAll() {
    while (cursor) {
        if (!cursor->fetch(nextBlock(), *this))
            cursor.reset();
        stopAtMaxRecords();
    }
    store.squeeze();
}

int RecordsetData::totalRows() {
    if (maxRecords > 0)
        readAll(); // no more than maxRecords: reading them costs less than a count
    if (!cursor)
        return rowCount();
    if (countedRows < 0)
        countedRows = cursor->count();
    return countedRows;
}

void RecordsetData::clearRecords() {
    cursor.reset();
    countedRows = -1;
    fields.clear();
    store.clear();
}

} // namespace quill
