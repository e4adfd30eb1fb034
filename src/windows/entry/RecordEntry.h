#pragma once

#include "platform/db/Recordset.h"
#include "windows/entry/EntryField.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>
#include <vector>

namespace quill {

class F1Book;

// The record the entry window works on: the data recordset over the main
// window's query, the lookup recordset, the fields shown one per grid row,
// and what XS last showed in each row. Positions count from 1, as
// CurrentRow does.
class RecordEntry {
public:
    enum class Mode { Other, Add, Modify, Delete };
    // Rows of the copy the OK button takes of the grid; a query with more
    // fields is refused at load.
    static constexpr int MaxFields = 200;

    explicit RecordEntry(F1Book& grid);

    // Opens both recordsets on the query, counts the records and lays the
    // grid out (captions in column 1). Raises DbError, or std::runtime_error
    // with the text to show for a query with too many fields.
    void open();
    static Mode modeOf(const QString& commandName);

    // Puts the recordset on the record to modify or delete: the record the
    // main window handed over (preferring position CurrentRow), or without
    // one the CurrentRow-th record (the last one when CurrentRow is the
    // record count). Sets CurrentRow to its position. False when the handed
    // record is no longer there.
    bool positionOnChosen();
    // Moves to the n-th record: the last one when n is the record count,
    // else the first and n - 1 forward.
    void positionOn(long n);

    // Fills column 2 from the current record (rows of ReadOnlyColumns1
    // untouched) and remembers what each row shows.
    void XS();
    // XS, then CurrentMemberId from the record when the query has memberid.
    void showRecord();
    // What XS shows for grid row `row` of the current record.
    QString shownText(int row) const;
    // Empties the value cells of every row but `keep` (0: all); no record is
    // shown afterwards.
    void clearValues(int keep = 0);
    // Whether the user changed row's text since XS showed the record.
    bool edited(int row) const;
    // Whether the grid shows a record of the recordset (not after a find
    // that found nothing, nor when the handed record was gone).
    bool recordShown() const { return m_recordShown; }

    // Column 2 of a row written as a text entry, shown exactly as given.
    void putValue(int row, const QString& text);
    QString valueText(int row) const;

    // Where the current record comes from; none without a record.
    std::optional<Recordset::RowIdentity> currentIdentity() const;

    int fieldCount() const { return int(m_fields.size()); }
    // Field of grid row `row` (1..fieldCount()).
    const EntryField& field(int row) const { return m_fields[std::size_t(row - 1)]; }
    // The grid row of a field name (any case); 0 when the query lacks it.
    int rowOf(const QString& fieldName) const;
    int recordCount() const { return m_recordCount; }
    bool hasMemberId() const { return m_hasMemberId; }
    bool hasZhdate() const { return m_hasZhdate; }
    bool hasPhoto() const { return m_hasPhoto; }
    // The PHOTO field's text of the current record ("" for null or none).
    QString photoPath() const;

    // The names of the department and the team the current record's group
    // or team belongs to: as the grid shows them, or from the record when
    // the query does not show them.
    QString departmentName() const;
    QString teamName() const;

    Recordset& data() { return m_data; }
    const Recordset& data() const { return m_data; }
    Recordset& lookup() { return m_lookup; }
    F1Book& grid() { return m_grid; }
    const F1Book& grid() const { return m_grid; }

private:
    QString recordText(const QString& fieldName) const;

    F1Book& m_grid;
    Recordset m_data;
    Recordset m_lookup;
    std::vector<EntryField> m_fields;
    QStringList m_shown;
    int m_recordCount = 0;
    bool m_hasMemberId = false;
    bool m_hasZhdate = false;
    bool m_hasPhoto = false;
    bool m_recordShown = false;
};

} // namespace quill
