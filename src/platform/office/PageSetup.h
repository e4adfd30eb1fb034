#pragma once

#include <QString>
#include <QStringList>

namespace quill {

// How a sheet goes on paper, with the values spreadsheet applications give
// these properties: lengths in points, Orientation 1 portrait / 2 landscape,
// PaperSize by its numeric code (9 = A4), Zoom a percentage or "False",
// Order 1 down then over / 2 over then down, FirstPageNumber a number or
// automatic (1), header and footer texts with their "&" codes.
struct PageSetup {
    static constexpr int Portrait = 1;
    static constexpr int Landscape = 2;
    static constexpr int DownThenOver = 1;
    static constexpr int OverThenDown = 2;
    static constexpr int PaperA4 = 9;
    // The page number the first page gets when none is set.
    static constexpr int AutomaticPageNumber = -4105;

    QString LeftHeader, CenterHeader, RightHeader;
    QString LeftFooter, CenterFooter, RightFooter;
    double LeftMargin = 50.4; // 0.7 inch
    double RightMargin = 50.4;
    double TopMargin = 54; // 0.75 inch
    double BottomMargin = 54;
    double HeaderMargin = 21.6; // 0.3 inch
    double FooterMargin = 21.6;
    bool PrintHeadings = false;
    bool PrintGridLines = false;
    // Comments: none, at the end of the sheet (1) or in place (16).
    static constexpr int NoComments = -4142;
    int PrintComments = NoComments;
    int PrintQuality = 600;
    bool CenterHorizontally = false;
    bool CenterVertically = false;
    int Orientation = Portrait;
    bool Draft = false;
    int PaperSize = PaperA4;
    int FirstPageNumber = AutomaticPageNumber;
    int Order = DownThenOver;
    bool BlackAndWhite = false;
    int Zoom = 100;         // 0: "False", fit to pages instead
    int FitToPagesWide = 1; // 0 ("False"): as many as needed
    int FitToPagesTall = 1;
    QString PrintTitleRows; // "$1:$4", "" for none
    QString PrintArea;      // "$A$1:$E$75", "" for the used range

    // The property names in the order a stored page setup is applied.
    static const QStringList& storedProperties();
    static bool isBoolean(const QString& property);

    // Assigns a property from its text as spreadsheet applications convert
    // it ("True"/"False", numbers, "False" for Zoom). Raises
    // std::invalid_argument for an unknown property or a value of the wrong
    // kind, with the property unchanged.
    void set(const QString& property, const QString& value);

    // The number the first page prints with.
    int firstPageNumber() const {
        return FirstPageNumber == AutomaticPageNumber ? 1 : FirstPageNumber;
    }
};

} // namespace quill
