// The workbook reader on a whole file: any bytes are read or refused with the
// grid's own error, nothing else.
#include "FuzzTarget.h"

#include "platform/grid/GridError.h"
#include "platform/grid/WorkbookReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        quill::WorkbookReader::read(quill::fuzzFile(bytes, ".xlsx"));
    } catch (const quill::GridError&) {
    }
    return 0;
}
