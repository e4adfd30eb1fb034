#pragma once

#include "windows/manage/SheetColumn.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <vector>

namespace quill {

class F1Book;
class Recordset;

// Writes records into the grid by the result sheet's cell rule: read-only
// columns blank, "FM0" columns untouched, texts with organisation names for
// codes, numbers only into empty cells (a formula or constant of the loaded
// sheet stays), dates and times in their formats.
class SheetCellWriter {
public:
    SheetCellWriter(F1Book& book, const Recordset& data, const std::vector<SheetColumn>& columns,
                    bool blankForZero);

    // The current record into sheet row `row`; field i goes into column
    // firstCol + i.
    void writeRecord(int row, int firstCol);

private:
    QString textCell(const SheetColumn& column, const QVariant& value);
    QString numberCell(const SheetColumn& column, const QVariant& value);
    QString dateCell(const SheetColumn& column, const QVariant& value);
    // The text of a value under the column's format, remembered by key: pay
    // tables repeat amounts and dates, and formatting costs more than a look-up.
    template <typename Make> QString remembered(const SheetColumn& column, quint64 key, Make make);
    const QString& departmentName();
    const QString& teamName();

    F1Book& m_book;
    const Recordset& m_data;
    const std::vector<SheetColumn>& m_columns;
    bool m_blankForZero;
    int m_departField;
    int m_teamField;
    // The current record's department and team names, asked once per record.
    bool m_haveDepartment = false;
    bool m_haveTeam = false;
    QString m_department;
    QString m_team;
    struct Remembered {
        QHash<quint64, QString> texts;
        int lookups = 0;
        int hits = 0;
        bool off = false; // values hardly repeat: formatting each is cheaper
    };
    std::vector<Remembered> m_formatted; // per field
};

} // namespace quill
