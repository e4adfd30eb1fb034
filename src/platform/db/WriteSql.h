#pragma once

#include <QString>

#include <vector>

namespace quill {

class RecordsetData;

// The texts of the statements that write one record back. Parameters are
// numbered: the values set (in the order of setFields), then the row
// identity and the row version the record was read with, which an update or
// delete matches so that it misses a row changed since. Inserts (and, on
// PostgreSQL, updates) return the identity and version of the row as
// written, then the columns (every column for an insert, the ones set for an
// update), so the record shows what the table now holds. On SQLite an update
// is followed by reread instead, which costs less than returning there.
//
// The row version is PostgreSQL's xmin, renewed by every write. SQLite has
// none, so there it is a hash of the row's values in their storage classes
// (versionFunction, which SqliteEngine defines): two differing rows share it
// only by a 64-bit accident, and no way of reading a value can change it.
class WriteSql {
public:
    enum class Dialect { Sqlite, Postgres };

    // The fields that show a table column: written back and versioned.
    static std::vector<int> columnFields(const RecordsetData& data);

    static QString update(Dialect dialect, const RecordsetData& data,
                          const std::vector<int>& setFields);
    static QString remove(Dialect dialect, const RecordsetData& data);
    static QString insert(Dialect dialect, const RecordsetData& data,
                          const std::vector<int>& setFields);
    // SQLite: the version and the setFields' columns of the row whose rowid
    // is parameter 1.
    static QString reread(const RecordsetData& data, const std::vector<int>& setFields);

    // The statement of a kind of write ('U' update, 'I' insert, 'D' delete)
    // for data's changed fields, which it lists in setFields.
    static QString forChanges(char kind, Dialect dialect, const RecordsetData& data,
                              std::vector<int>* setFields);

    static QString quoted(const QString& identifier);

    // The SQL function that gives a SQLite row's version from its seed (0)
    // and the values of the record's columns; at most this many arguments.
    static constexpr const char* versionFunction = "quill_row_version";
    static constexpr int versionArguments = 100;
};

} // namespace quill
