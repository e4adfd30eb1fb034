#pragma once

#include <QString>

#include <vector>

namespace quill {

class RecordsetData;

// The texts of the statements that write one record back. Parameters are
// numbered: the values set (in the order of setFields), then the row
// identity, then the values the record was read with (in the order of
// columnFields), each compared null-safely. Inserts return the identity and
// every column as stored, so the record shows what the table now holds; on
// PostgreSQL, whose row identity moves with each write, updates return the
// identity and the columns they set.
class WriteSql {
public:
    enum class Dialect { Sqlite, Postgres };

    // The fields that show a table column: written back and checked.
    static std::vector<int> columnFields(const RecordsetData& data);

    static QString update(Dialect dialect, const RecordsetData& data,
                          const std::vector<int>& setFields, const std::vector<int>& columnFields);
    static QString remove(Dialect dialect, const RecordsetData& data,
                          const std::vector<int>& columnFields);
    static QString insert(Dialect dialect, const RecordsetData& data,
                          const std::vector<int>& setFields, const std::vector<int>& columnFields);

    // The statement of a kind of write ('U' update, 'I' insert, 'D' delete)
    // for data's changed fields, which it lists in setFields.
    static QString forChanges(char kind, Dialect dialect, const RecordsetData& data,
                              std::vector<int>* setFields);

    static QString quoted(const QString& identifier);
};

} // namespace quill
