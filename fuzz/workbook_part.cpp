// The workbook reader on one XML part inside an otherwise valid workbook: the
// input's first byte chooses the part (the sheet, the shared strings or the
// styles), the rest is that part's text.
#include "FuzzTarget.h"

#include "platform/grid/GridError.h"
#include "platform/grid/WorkbookReader.h"

#include <zip.h>

#include <array>
#include <utility>

namespace {

constexpr const char* Main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* Rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* PackageRel = "http://schemas.openxmlformats.org/package/2006/relationships";

QByteArray fill(const char* text) {
    return QByteArray(text).replace("$MAIN", Main).replace("$REL", Rel).replace("$PKG", PackageRel);
}

using Part = std::pair<const char*, QByteArray>;

std::array<Part, 7> validParts() {
    return {
        Part{"[Content_Types].xml",
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types "
             "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"><Default "
             "Extension=\"rels\" "
             "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/><Default "
             "Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
        Part{"_rels/.rels", fill("<Relationships xmlns=\"$PKG\"><Relationship Id=\"rId1\" "
                                 "Type=\"$REL/officeDocument\" "
                                 "Target=\"xl/workbook.xml\"/></Relationships>")},
        Part{"xl/workbook.xml",
             fill("<workbook xmlns=\"$MAIN\" xmlns:r=\"$REL\"><sheets><sheet "
                  "name=\"工资\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>")},
        Part{"xl/_rels/workbook.xml.rels",
             fill("<Relationships xmlns=\"$PKG\"><Relationship Id=\"rId1\" Type=\"$REL/worksheet\" "
                  "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
                  "Type=\"$REL/sharedStrings\" Target=\"sharedStrings.xml\"/><Relationship "
                  "Id=\"rId3\" Type=\"$REL/styles\" Target=\"styles.xml\"/></Relationships>")},
        Part{
            "xl/worksheets/sheet1.xml",
            fill("<worksheet xmlns=\"$MAIN\"><cols><col min=\"1\" max=\"2\" width=\"12\" "
                 "customWidth=\"1\"/></cols><sheetData><row r=\"1\"><c r=\"A1\" "
                 "t=\"s\"><v>0</v></c><c r=\"B1\" s=\"1\"><v>3.5</v></c></row><row r=\"2\"><c "
                 "r=\"A2\"><f>B1*2</f><v>7</v></c><c r=\"B2\" t=\"inlineStr\"><is><t>x</t></is></c>"
                 "</row></sheetData></worksheet>")},
        Part{"xl/sharedStrings.xml",
             fill("<sst xmlns=\"$MAIN\" count=\"1\" uniqueCount=\"1\"><si><t>姓名</t></si></sst>")},
        Part{"xl/styles.xml",
             fill("<styleSheet xmlns=\"$MAIN\"><numFmts count=\"1\"><numFmt numFmtId=\"164\" "
                  "formatCode=\"0.00\"/></numFmts><fonts count=\"2\"><font><sz "
                  "val=\"11\"/></font><font><b/><sz val=\"11\"/></font></fonts><borders "
                  "count=\"2\"><border/><border><left style=\"thin\"/><right "
                  "style=\"thin\"/><top style=\"thin\"/><bottom "
                  "style=\"thin\"/></border></borders><cellXfs count=\"2\"><xf numFmtId=\"0\" "
                  "fontId=\"0\" borderId=\"0\"/><xf numFmtId=\"164\" fontId=\"1\" borderId=\"1\" "
                  "applyNumberFormat=\"1\"/></cellXfs></styleSheet>")},
    };
}

// The parts the input may stand for, as indexes into validParts().
constexpr std::array<std::size_t, 3> FuzzedParts = {4, 5, 6};

void writeWorkbook(const QString& path, const std::array<Part, 7>& parts) {
    int error = 0;
    zip_t* zip = zip_open(path.toLocal8Bit().constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        quill::fuzzFailure("the workbook could not be made", __FILE__, __LINE__);
    for (const auto& [name, text] : parts) {
        zip_source_t* source =
            zip_source_buffer(zip, text.constData(), zip_uint64_t(text.size()), 0);
        const zip_int64_t index = zip_file_add(zip, name, source, ZIP_FL_ENC_UTF_8);
        if (index < 0 || zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_STORE, 0) < 0)
            quill::fuzzFailure("the workbook could not be made", __FILE__, __LINE__);
    }
    if (zip_close(zip) < 0)
        quill::fuzzFailure("the workbook could not be written", __FILE__, __LINE__);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    std::array<Part, 7> parts = validParts();
    parts[FuzzedParts[data[0] % FuzzedParts.size()]].second =
        QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QString path = quill::fuzzPath(".xlsx");
    writeWorkbook(path, parts);
    try {
        quill::WorkbookReader::read(path);
    } catch (const quill::GridError&) {
    }
    return 0;
}
