#pragma once

#include <QString>
#include <QVariant>

#include <algorithm>
#include <memory>
#include <optional>

namespace quill {

class Connection;
class RecordsetData;

// A keyset recordset over a text command: the set of records is fixed when
// it is opened (a snapshot of the database kept while it is open), and the
// records are read block by block as the caller moves through them, so that
// opening a large result costs what is shown of it. A single-table select
// is updatable (each record keeps its row identity); grouped, joined or
// computed results are read-only. Writes use optimistic locking: a record
// someone else changed or deleted since it was read is refused with DbError
// and nothing is changed. What is compared is the row's version, never the
// values as read, so no value that reads differently from how it is stored
// can block a write.
class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Runs the command (in the connection's dialect; exactly one statement,
    // as Connection::Execute); on failure, or when already open, raises
    // DbError and the recordset stays as it was. A command that returns no
    // records leaves it closed. Closing the connection closes its recordsets.
    void Open(const QString& sql, Connection& connection);
    // Does nothing when already closed.
    void Close();
    // At most the first n records of each later Open's result (0, the
    // default: all). Once they are read the snapshot ends, so that a caller
    // that shows no more than n records holds nothing on the database.
    void SetMaxRecords(int n) { m_maxRecords = std::max(n, 0); }
    int MaxRecords() const { return m_maxRecords; }
    int State() const; // 0 closed, 1 open

    // An empty recordset is at both ends at once.
    bool Eof() const;
    bool Bof() const;
    // Moving first writes pending values, as leaving an edited record does.
    // Moving on from EOF (back from BOF) raises DbError.
    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();
    // Counts the records in the snapshot the first time it is asked before
    // the last record was reached.
    int RecordCount() const;
    // The current record's 0-based position; -1 before the first, RecordCount()
    // after the last.
    int AbsolutePosition() const;

    int FieldCount() const;
    QString FieldName(int i) const;
    // -1 when there is no such field (names compare case-insensitively).
    int FieldIndex(const QString& name) const;
    // The current record's value (its pending value while edited); null as
    // an invalid QVariant. Raises DbError at EOF/BOF and for a missing field.
    QVariant Value(int i) const;
    QVariant Value(const QString& name) const;
    // Raises DbError on a read-only recordset or a computed field.
    void SetValue(int i, const QVariant& value);
    void SetValue(const QString& name, const QVariant& value);

    bool isUpdatable() const;
    // Where a record comes from: its row, the same in every recordset over
    // its table, and the version of the row it was read with, which tells
    // whether anybody wrote the row since (compare versions only between
    // recordsets that read the same columns).
    struct RowIdentity {
        qint64 row = 0;
        qint64 version = 0;
        bool operator==(const RowIdentity&) const = default;
    };
    // The current record's identity; none on a read-only recordset. Raises
    // DbError at EOF/BOF.
    std::optional<RowIdentity> Identity() const;
    // Moves to the live record read from that row in that version; false,
    // with the position unchanged, when none is (the row was written or
    // removed meanwhile). Pending values are written first, as with every
    // move.
    bool MoveToIdentity(const RowIdentity& identity);
    // Starts a new record; Update() inserts it and keeps it current.
    void AddNew();
    // Writes the current record's pending values (or inserts the new one);
    // afterwards the record shows what the table holds. When the write fails
    // (DbError with the database's message, or "记录已被其他用户修改或删除"
    // when someone else changed the record) the pending values are dropped
    // and the record keeps the values it had.
    void Update();
    // Discards pending values (and a record begun by AddNew).
    void CancelUpdate();
    // Deletes the current record; it stays current but can no longer be
    // written, as with a deleted record in a keyset.
    void Delete();

private:
    std::unique_ptr<RecordsetData> d;
    int m_maxRecords = 0;
};

} // namespace quill
