#pragma once

#include "platform/office/Worksheet.h"

#include <QDateTime>
#include <QString>

#include <memory>

class QWidget;

namespace quill {

class PrintPreview;

// What the routine drives in place of a desktop spreadsheet application:
// one is made per run, opens a workbook file into memory, and previews or
// prints its sheet. The preview window stays open after the run, owned by
// its parent.
class Application {
public:
    Application();
    ~Application();

    // Reads the first sheet of the workbook file; raises GridError.
    Worksheet& open(const QString& path);
    Worksheet& activeSheet();

    // What &D and &T print; now when not set.
    void setNow(const QDateTime& now) { m_now = now; }
    QDateTime now() const { return m_now.isValid() ? m_now : QDateTime::currentDateTime(); }

    // Shows the sheet in a print preview window and returns it.
    PrintPreview* printPreview(QWidget* parent);
    // Prints on the default printer and returns ""; where there is none,
    // writes the pages into the PDF file at fallbackPdf and returns its path.
    QString printOut(const QString& fallbackPdf);
    // Prints into a PDF file.
    void printToPdf(const QString& path);
    // Prints a sheet into a PDF file, `now` what &D and &T print.
    static void printToPdf(const Worksheet& sheet, const QDateTime& now, const QString& path);

private:
    std::shared_ptr<Worksheet> m_sheet;
    QDateTime m_now;
};

} // namespace quill
