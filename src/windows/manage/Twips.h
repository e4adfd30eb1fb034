#pragma once

#include <algorithm>

namespace quill {

// The window's layout rules are written in twips; the screen has 15 twips to
// a pixel. Sizes never go below 0, however small the window.
struct Twips {
    static constexpr int PerPixel = 15;

    static int fromPixels(int pixels) { return pixels * PerPixel; }
    static int toPixels(int twips) { return std::max(0, twips / PerPixel); }
};

} // namespace quill
