#pragma once

namespace quill {

// A database connection of a recordset's own, on which it reads its records
// in one read transaction, so that they stay what they were when it was
// opened while the suite's connection goes on writing. Each engine derives
// its own; the Connection keeps idle ones for the next recordset.
class SnapshotReader {
public:
    virtual ~SnapshotReader() = default;
    // Whether it can serve another recordset (still connected, no
    // transaction left open).
    virtual bool reusable() const = 0;
};

} // namespace quill
