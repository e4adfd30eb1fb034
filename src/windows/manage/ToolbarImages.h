#pragma once

namespace quill {

class ImageList;

// The window's own toolbar and report list images 1 to 20, drawn here: a
// coloured tile with the character of its command.
class ToolbarImages {
public:
    static constexpr int Count = 20;
    static constexpr int Size = 32;

    // Adds images 1 to 20, keyed "IMG-1" to "IMG-20", to an empty list.
    static void fill(ImageList& list);
};

} // namespace quill
