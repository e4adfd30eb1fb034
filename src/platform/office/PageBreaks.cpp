#include "platform/office/PageBreaks.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

namespace quill {

namespace {

// Greedy bands: as many items as fit in the room a band starting at an item
// has, at least one each.
std::vector<PageBreaks::Band> bands(const std::vector<double>& sizes, double scale,
                                    const std::function<double(int)>& roomFrom) {
    std::vector<PageBreaks::Band> out;
    const int n = int(sizes.size());
    int first = 0;
    while (first < n) {
        const double room = roomFrom(first);
        double used = sizes[std::size_t(first)] * scale;
        int last = first;
        while (last + 1 < n && used + sizes[std::size_t(last + 1)] * scale <= room + 1e-9)
            used += sizes[std::size_t(++last)] * scale;
        out.push_back({first, last});
        first = last + 1;
    }
    if (out.empty())
        out.push_back({0, -1});
    return out;
}

double total(const std::vector<double>& sizes) {
    return std::accumulate(sizes.begin(), sizes.end(), 0.0);
}

} // namespace

void PageBreaks::split(const Input& in, double scale) {
    m_scale = scale;
    const double width = in.printableWidth - in.headingWidth * scale;
    m_columnBands = bands(in.columnWidths, scale, [&](int) { return width; });
    m_rowBands = bands(in.rowHeights, scale, [&](int first) {
        const bool titles = in.titleHeight > 0 && first >= in.rowsBeforeTitles;
        return in.printableHeight - (in.headingHeight + (titles ? in.titleHeight : 0)) * scale;
    });
}

PageBreaks PageBreaks::compute(const Input& in) {
    PageBreaks breaks;
    breaks.m_overThenDown = in.overThenDown;
    if (in.zoom > 0) {
        breaks.split(in, in.zoom / 100.0);
        return breaks;
    }
    // Fit to pages: the largest whole percent up to 100 at which the sheet
    // takes no more pages across and down than asked.
    double scale = 1;
    if (in.fitWide > 0)
        scale = std::min(scale, in.fitWide * in.printableWidth /
                                    (total(in.columnWidths) + in.fitWide * in.headingWidth));
    if (in.fitTall > 0)
        scale = std::min(
            scale, in.fitTall * in.printableHeight /
                       (total(in.rowHeights) + in.fitTall * (in.titleHeight + in.headingHeight)));
    int percent = std::clamp(int(std::floor(scale * 100 + 1e-9)), int(MinScale * 100), 100);
    for (;; --percent) {
        breaks.split(in, percent / 100.0);
        const bool fits = (in.fitWide <= 0 || int(breaks.m_columnBands.size()) <= in.fitWide) &&
                          (in.fitTall <= 0 || int(breaks.m_rowBands.size()) <= in.fitTall);
        if (fits || percent <= int(MinScale * 100))
            return breaks;
    }
}

PageBreaks::Page PageBreaks::page(int index) const {
    const int rows = int(m_rowBands.size());
    const int cols = int(m_columnBands.size());
    if (m_overThenDown)
        return {index / cols, index % cols};
    return {index % rows, index / rows};
}

} // namespace quill
