#pragma once

namespace quill {

// An object of a suite module, created by its ProgID (CreateObject): the
// module's one public class, whose zh() runs the module and returns 0.
class ComObject {
public:
    virtual ~ComObject() = default;
    virtual int zh() = 0;
};

} // namespace quill
