#pragma once

#include "windows/manage/SheetColumn.h"

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
    QString numberCell(const SheetColumn& column, const QVariant& value) const;
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
};

} // namespace quill
