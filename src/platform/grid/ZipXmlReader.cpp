#include "ZipXmlReader.h"

#include "GridError.h"
#include "ZipArchive.h"

#include <QDir>

namespace quill {

ZipXmlReader::ZipXmlReader(const ZipArchive& zip, const QString& entry)
    : m_zip(zip)
    , m_entry(entry)
    , m_file(zip.open(entry)) {
    if (!m_file) {
        throw GridError(QStringLiteral("不是有效的工作簿文件（缺少 %1）：%2")
                            .arg(entry, QDir::toNativeSeparators(zip.path())));
    }
}

ZipXmlReader::~ZipXmlReader() {
    zip_fclose(m_file);
}

bool ZipXmlReader::refill() {
    if (m_eof)
        return false;
    constexpr int ChunkSize = 1 << 16;
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    const zip_int64_t n = zip_fread(m_file, chunk.data(), ChunkSize);
    if (n <= 0) {
        m_eof = true;
        m_readFailed = n < 0;
        return false;
    }
    chunk.truncate(qsizetype(n));
    m_xml.addData(chunk);
    return true;
}

QXmlStreamReader::TokenType ZipXmlReader::next() {
    for (;;) {
        const QXmlStreamReader::TokenType token = m_xml.readNext();
        if (token != QXmlStreamReader::Invalid ||
            m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
            return token;
        if (!refill())
            return token;
    }
}

void ZipXmlReader::checkComplete() const {
    if (!m_readFailed && !m_xml.hasError())
        return;
    const QString why = m_readFailed ? QStringLiteral("数据不完整") : m_xml.errorString();
    throw GridError(QStringLiteral("工作簿文件已损坏（%1：%2）：%3")
                        .arg(m_entry, why, QDir::toNativeSeparators(m_zip.path())));
}

QString ZipXmlReader::elementText() {
    QString text;
    int depth = 0;
    int phoneticDepth = 0;
    // Depth of the text element now open, -1 when none: characters count
    // only directly inside it.
    const QStringView start = m_xml.name();
    int textDepth = start == u"t" || start == u"v" || start == u"f" ? 0 : -1;
    for (;;) {
        switch (next()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (m_xml.name() == u"rPh")
                ++phoneticDepth;
            textDepth = m_xml.name() == u"t" ? depth : -1;
            break;
        case QXmlStreamReader::EndElement:
            if (depth == 0)
                return text;
            if (m_xml.name() == u"rPh")
                --phoneticDepth;
            textDepth = -1;
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (depth == textDepth && phoneticDepth == 0)
                text += m_xml.text();
            break;
        case QXmlStreamReader::EndDocument:
        case QXmlStreamReader::Invalid:
            return text;
        default:
            break;
        }
    }
}

void ZipXmlReader::skipElement() {
    int depth = 0;
    for (;;) {
        switch (next()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            if (depth-- == 0)
                return;
            break;
        case QXmlStreamReader::EndDocument:
        case QXmlStreamReader::Invalid:
            return;
        default:
            break;
        }
    }
}

} // namespace quill
