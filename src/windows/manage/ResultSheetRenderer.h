#pragma once

#include "windows/manage/SheetColumn.h"

#include <QString>

#include <array>
#include <vector>

namespace quill {

class F1Book;
class Recordset;

// Runs the current query and lays its records on the grid: the default mode
// on the base sheet quill.vts, or the template mode on the report's own
// workbook ReportFolder/<report name>.vts when one exists. Afterwards the
// recordset stays open on its first record, and the record count, template
// parameters and page layout stay here for editing, printing and export.
class ResultSheetRenderer {
public:
    // Rows of records a sheet shows at most; later records are left out.
    static constexpr int MaxRows = 16380;

    explicit ResultSheetRenderer(F1Book& book);

    // The window has laid itself out before. Raises DbError for the query,
    // GridError for a sheet file that cannot be read.
    void Render(Recordset& data, const QString& reportName, bool blankForZero);

    int RecordCount() const { return m_recordCount; }
    // k = 1..5; 0 outside.
    int TemplateParam(int k) const;
    bool IsTemplateSheet() const { return m_parameters[0] != 0; }
    int PageCount() const { return m_pageCount; }
    int RowsPerBlock() const { return m_rowsPerBlock; }

    // How long a render runs before it shows its progress (tests: 0).
    void setProgressDelay(int milliseconds) { m_progressDelay = milliseconds; }
    // Whether the last render ran long enough to show its progress.
    bool progressShown() const { return m_progressShown; }

private:
    void openQuery(Recordset& data);
    // Reads the sheet file, shown read-only, with or without column headings.
    void loadSheet(const QString& file, bool colHeadings);
    // The result's columns, the sheet made as wide.
    std::vector<SheetColumn> resolveColumns(Recordset& data);
    void renderDefault(Recordset& data, bool blankForZero);
    void renderTemplate(Recordset& data, const QString& file, bool blankForZero);
    void applySavedWidths(const std::vector<SheetColumn>& columns);

    F1Book& m_book;
    int m_recordCount = 0;
    std::array<int, 5> m_parameters{};
    int m_pageCount = 0;
    int m_rowsPerBlock = 0;
    int m_progressDelay = 500;
    bool m_progressShown = false;
};

} // namespace quill
