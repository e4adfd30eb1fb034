#pragma once

#include "platform/grid/Sheet.h"
#include "windows/manage/RenderProgress.h"
#include "windows/manage/SheetColumn.h"
#include "windows/manage/TemplateSheet.h"

#include <QString>

#include <array>
#include <memory>
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

    // The workbook a run is laid on and how.
    struct Layout {
        QString file; // the report's template, or the base sheet
        bool isTemplate = false;
        TemplateSheet::Parameters parameters{};
        Sheet sheet; // the file as read, loaded into the grid as it is
    };
    // A run made ready without touching anything shown: the query open on a
    // recordset of its own and counted, the workbook read and its layout
    // checked.
    struct Prepared {
        std::unique_ptr<Recordset> data;
        int recordCount = 0;
        Layout layout;
    };

    explicit ResultSheetRenderer(F1Book& book);

    // A run of the current query, step 1: everything that can fail. Raises
    // DbError for the query (or a lookup the sheet needs), GridError for the
    // workbook sheetFile(reportName) or a layout that does not fit on it.
    Prepared prepare(const QString& reportName);
    // Step 2: loads the prepared workbook and fills it from run.data, which
    // is left open on its first record for the window to take. The window
    // has laid itself out before. Raises GridError, with nothing changed,
    // only when the workbook can no longer be read.
    void show(Prepared& run, bool blankForZero);

    // The workbook a run of this report is laid on.
    static QString sheetFile(const QString& reportName);

    // The records counted, at most MaxRows + 1: above MaxRows some were left out.
    int RecordCount() const { return m_recordCount; }
    // k = 1..5; 0 outside.
    int TemplateParam(int k) const;
    bool IsTemplateSheet() const { return m_parameters[0] != 0; }
    int PageCount() const { return m_pageCount; }
    int RowsPerBlock() const { return m_rowsPerBlock; }

    // How long a render runs before it shows its progress (tests: 0).
    void setProgressDelay(int milliseconds) { m_progressDelay = milliseconds; }
    // Where a render without a window reports its progress in place of the
    // dialog; none: the dialog.
    void setProgressReport(RenderProgress::Report report) { m_progressReport = std::move(report); }
    // Whether the last render ran long enough to show its progress.
    bool progressShown() const { return m_progressShown; }

private:
    // The report's own workbook; "" when it has none.
    static QString templateFile(const QString& reportName);
    // Opens QuerySql on `data`; the record count, at most MaxRows + 1.
    static int openQuery(Recordset& data);
    // Reads the workbook to prove it and takes its template parameters.
    static Layout layoutFor(const QString& reportName, int recordCount);
    // Reads the organisation now when the sheet will name units.
    static void readLookups(const Recordset& data, int recordCount);
    // Reads the layout's workbook into the grid, shown read-only; the one
    // step of a render that may still fail, and then the grid is unchanged.
    void load(Layout& layout);
    void fill(Recordset& data, int recordCount, const Layout& layout, bool blankForZero);
    // The result's columns, the sheet made as wide.
    std::vector<SheetColumn> resolveColumns(Recordset& data);
    void renderDefault(Recordset& data, bool blankForZero);
    void renderTemplate(Recordset& data, bool blankForZero);
    void applySavedWidths(const std::vector<SheetColumn>& columns);

    F1Book& m_book;
    int m_recordCount = 0;
    std::array<int, 5> m_parameters{};
    int m_pageCount = 0;
    int m_rowsPerBlock = 0;
    int m_progressDelay = 500;
    bool m_progressShown = false;
    RenderProgress::Report m_progressReport;
};

} // namespace quill
