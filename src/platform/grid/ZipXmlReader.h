#pragma once

#include <QXmlStreamReader>

#include <zip.h>

namespace quill {

class ZipArchive;

// Streams one XML entry of a zip file through QXmlStreamReader, a chunk at
// a time, so that a large worksheet is never held in memory whole.
class ZipXmlReader {
public:
    // Raises GridError when the archive has no such entry.
    ZipXmlReader(const ZipArchive& zip, const QString& entry);
    ~ZipXmlReader();
    ZipXmlReader(const ZipXmlReader&) = delete;
    ZipXmlReader& operator=(const ZipXmlReader&) = delete;

    // The next token; EndDocument or Invalid at the end.
    QXmlStreamReader::TokenType next();
    // Reads on to the next token (xml() tells which); false at the end of the
    // entry or at an error, which checkComplete() then raises.
    bool readNext() {
        const QXmlStreamReader::TokenType token = next();
        return token != QXmlStreamReader::EndDocument && token != QXmlStreamReader::Invalid;
    }
    QXmlStreamReader& xml() { return m_xml; }
    // Raises GridError when the entry was damaged or not well-formed.
    void checkComplete() const;
    // From the start tag now read to its end tag: the texts of the <t>, <v>
    // and <f> elements inside, leaving out phonetic runs (<rPh>).
    QString elementText();
    // Moves on to the end of the element whose start tag was just read.
    void skipElement();

private:
    bool refill();

    const ZipArchive& m_zip;
    QString m_entry;
    zip_file_t* m_file = nullptr;
    QXmlStreamReader m_xml;
    bool m_eof = false;
    bool m_readFailed = false;
};

} // namespace quill
