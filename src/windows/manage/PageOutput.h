#pragma once

#include "platform/office/PrintPreview.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QWidget;

namespace quill {

class Application;
class F1Book;
class ResultSheetRenderer;
class Worksheet;

// Preview, print and the export's "open for the user" of the result sheet:
// the grid goes into the temporary workbook, which is opened in a fresh
// office application; the report's stored page setup and the fixed layout of
// the kind of sheet follow, then the output by mode. A step that fails is
// passed over and the run goes on, as the commands always did. One lives as
// a child of the window it serves and keeps the run's application.
class PageOutput : public QObject {
    Q_OBJECT
public:
    enum Mode { Preview = 1, Print = 2, OpenForUser = 3 };
    enum class Kind { Default, PagedTemplate, UnpagedTemplate };

    PageOutput(F1Book& book, QWidget* window);
    ~PageOutput() override;

    // The one of a window, made on first use.
    static PageOutput& of(QWidget& window, F1Book& book);
    static Kind kindOf(const ResultSheetRenderer& renderer);
    // WorkFolder + "/Tmp.xls".
    static QString temporaryWorkbook();
    // WorkFolder + "/Tmp.pdf", where printing goes without a printer.
    static QString fallbackPdf();

    // The preview, print and export commands: writes the grid into the
    // temporary workbook, then runs the routine.
    void writeAndRun(const QString& reportName, Kind kind, int mode);
    // The page setup and output routine on the temporary workbook. Mode 3
    // writes the laid-out sheet back into it and hands it to the desktop's
    // spreadsheet application.
    void run(const QString& reportName, Kind kind, int mode);

    // Steps 2 and 3 of the routine on a sheet of the book: the report's
    // stored page setup, then the fixed layout of the kind of sheet (a
    // default sheet gains its bold heading row). Headless.
    static void layOut(Worksheet& sheet, const F1Book& book, const QString& reportName, Kind kind,
                       QDate today);
    // A default sheet's heading row: a row inserted above the data holding
    // the grid's column headings in bold.
    static void insertHeadingRow(Worksheet& sheet, const F1Book& book);
    // Mode 3's clear of what lies right of and below the data, and "A1"
    // selected. Headless.
    static void clearOutside(Worksheet& sheet, const F1Book& book, Kind kind);

    // The print date of the footers; today when not set.
    void setToday(QDate today) { m_today = today; }
    // The last run's application and its sheet; nullptr when none opened.
    Application* application() const { return m_app.get(); }
    Worksheet* sheet() const;
    PrintPreview* preview() const { return m_preview; }

private:
    static void applyLayout(Worksheet& sheet, const F1Book& book, const QString& reportName,
                            Kind kind, QDate today);
    void output(Worksheet& sheet, const QString& reportName, Kind kind, int mode);
    // The preview's page setup button: stores the user's choice and applies
    // it to the sheet shown; false when cancelled.
    bool editPageSetup(QWidget* parent, Worksheet& sheet, const QString& reportName, Kind kind);
    QDate today() const { return m_today.isValid() ? m_today : QDate::currentDate(); }

    F1Book& m_book;
    QWidget* m_window;
    std::unique_ptr<Application> m_app;
    QPointer<PrintPreview> m_preview;
    QDate m_today;
};

} // namespace quill
