#pragma once

#include <vector>

namespace quill {

// Where a printed sheet breaks into pages: which rows and columns each page
// holds and at what scale. Sizes are in points; the printable size is the
// paper less its margins. Title rows repeat above every row band that starts
// below them.
class PageBreaks {
public:
    struct Input {
        std::vector<double> columnWidths; // of the printed columns
        std::vector<double> rowHeights;   // of the printed rows
        // Printed rows that lie among or above the title rows: a band starting
        // at or after this row gets the titles above it.
        int rowsBeforeTitles = 0;
        double titleHeight = 0;
        // Room the row and column headings take (0 when not printed).
        double headingWidth = 0;
        double headingHeight = 0;
        double printableWidth = 0;
        double printableHeight = 0;
        int zoom = 100;  // percent; 0 = fit to pages
        int fitWide = 1; // 0 = as many as needed
        int fitTall = 1;
        bool overThenDown = false;
    };
    // First and last index of a band, inclusive.
    struct Band {
        int first = 0;
        int last = 0;
        bool operator==(const Band&) const = default;
    };
    struct Page {
        int rowBand = 0;
        int columnBand = 0;
    };

    static PageBreaks compute(const Input& input);

    double scale() const { return m_scale; }
    const std::vector<Band>& rowBands() const { return m_rowBands; }
    const std::vector<Band>& columnBands() const { return m_columnBands; }
    int pageCount() const { return int(m_rowBands.size() * m_columnBands.size()); }
    // Page index (0-based) in the print order.
    Page page(int index) const;
    bool titlesOn(int rowBand, const Input& input) const {
        return input.titleHeight > 0 &&
               m_rowBands[std::size_t(rowBand)].first >= input.rowsBeforeTitles;
    }

    // Smallest scale fit to pages goes down to, as in spreadsheet applications.
    static constexpr double MinScale = 0.10;

private:
    void split(const Input& input, double scale);

    double m_scale = 1;
    bool m_overThenDown = false;
    std::vector<Band> m_rowBands;
    std::vector<Band> m_columnBands;
};

} // namespace quill
