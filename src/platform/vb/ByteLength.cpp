#include "platform/vb/ByteLength.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace quill::vb {

namespace {

constexpr int UnmappedBytes = 2;

// Bytes of the UTF-8 sequence that starts with this lead byte.
int sequenceLength(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// One conversion state per thread, opened on first use; invalid when the C
// library has no GBK converter.
class GbkConverter {
public:
    GbkConverter()
        : m_cd(iconv_open("GBK", "UTF-8")) {}
    ~GbkConverter() {
        if (valid())
            iconv_close(m_cd);
    }
    GbkConverter(const GbkConverter&) = delete;
    GbkConverter& operator=(const GbkConverter&) = delete;

    bool valid() const { return m_cd != iconv_t(-1); }

    // Converts the whole text in one go; only a character GBK lacks is
    // stepped over on its own, counted as UnmappedBytes.
    int length(const QByteArray& utf8) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(utf8.constData());
        size_t inLeft = size_t(utf8.size());
        int total = 0;
        char out[256];
        while (inLeft > 0) {
            char* outPtr = out;
            size_t outLeft = sizeof out;
            const size_t result = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            total += int(sizeof out - outLeft);
            if (result != size_t(-1) || errno == E2BIG)
                continue;
            total += UnmappedBytes;
            if (errno != EILSEQ)
                break;
            const size_t skip =
                std::min(size_t(sequenceLength(static_cast<unsigned char>(*in))), inLeft);
            in += skip;
            inLeft -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return total;
    }

private:
    iconv_t m_cd;
};

GbkConverter& converter() {
    thread_local GbkConverter instance;
    return instance;
}

// Without a GBK converter every character beyond ASCII counts 2.
int lengthWithoutConverter(QStringView text) {
    int bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80)
            bytes += 1;
        else if (!c.isLowSurrogate() || i == 0 || !text[i - 1].isHighSurrogate())
            bytes += UnmappedBytes;
    }
    return bytes;
}

} // namespace

int GbkByteLength(QStringView text) {
    qsizetype ascii = 0;
    while (ascii < text.size() && text[ascii].unicode() < 0x80)
        ++ascii;
    if (ascii == text.size())
        return int(ascii);

    const QStringView rest = text.mid(ascii);
    GbkConverter& gbk = converter();
    if (!gbk.valid())
        return int(ascii) + lengthWithoutConverter(rest);
    return int(ascii) + gbk.length(rest.toUtf8());
}

} // namespace quill::vb
