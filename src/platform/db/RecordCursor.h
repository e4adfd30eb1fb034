#pragma once

namespace quill {

class RecordsetData;

// The records of an open recordset not read yet: the rest of its result,
// read block by block from the snapshot it was opened in. Dropping it ends
// that snapshot.
class RecordCursor {
public:
    virtual ~RecordCursor() = default;
    // Appends up to count further records to data's store; false once the
    // result has no more.
    virtual bool fetch(int count, RecordsetData& data) = 0;
    // The number of records of the whole result in the same snapshot.
    virtual int count() = 0;
};

} // namespace quill
