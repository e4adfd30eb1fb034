#pragma once

#include "platform/grid/Sheet.h"

#include <QFutureWatcher>
#include <QString>

#include <thread>

namespace quill {

// Writes copies of a sheet as workbooks on a worker thread, so that a
// command returns without waiting for a file kept only as a record for the
// user. One copy is written at a time: a new copy, finish() and destruction
// wait for the pending one, so none is lost or left half-written. A failure
// is shown on the window's thread once the copy is done or waited for.
class SheetCopyWriter {
public:
    SheetCopyWriter();
    ~SheetCopyWriter();
    SheetCopyWriter(const SheetCopyWriter&) = delete;
    SheetCopyWriter& operator=(const SheetCopyWriter&) = delete;

    // Starts writing the sheet into folder/fileName, the folder made when
    // missing.
    void write(Sheet sheet, const QString& folder, const QString& fileName);
    // Waits for the pending copy, if any, and shows its failure.
    void finish();

private:
    std::thread m_worker;
    // The pending copy's failure, empty when it was written.
    QFutureWatcher<QString> m_failure;
};

} // namespace quill
