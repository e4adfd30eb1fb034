#pragma once

namespace quill {

// The records and field descriptions a Recordset holds while open.
class RecordsetData {
public:
    int placeholder = 0;
};

} // namespace quill
