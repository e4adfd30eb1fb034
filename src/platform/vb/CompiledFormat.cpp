#include "platform/vb/CompiledFormat.h"

#include "platform/vb/DateSerial.h"
#include "platform/vb/FormatSyntax.h"
#include "platform/vb/PlainText.h"

#include <cmath>
#include <unordered_map>

namespace quill::vb {

namespace {

struct QStringHash {
    size_t operator()(const QString& text) const { return qHash(text); }
};

// Named formats as the format texts they stand for; "General Number" is
// handled on its own.
QString namedFormat(const QString& format) {
    static const std::pair<QLatin1StringView, QLatin1StringView> names[] = {
        {QLatin1StringView("Fixed"), QLatin1StringView("0.00")},
        {QLatin1StringView("Standard"), QLatin1StringView("#,##0.00")},
        {QLatin1StringView("Percent"), QLatin1StringView("0.00%")},
        {QLatin1StringView("Scientific"), QLatin1StringView("0.00E+00")},
        {QLatin1StringView("General Date"), QLatin1StringView("c")},
        {QLatin1StringView("Long Date"), QLatin1StringView("dddddd")},
        {QLatin1StringView("Medium Date"), QLatin1StringView("yy-mmm-dd")},
        {QLatin1StringView("Short Date"), QLatin1StringView("ddddd")},
        {QLatin1StringView("Long Time"), QLatin1StringView("ttttt")},
        {QLatin1StringView("Medium Time"), QLatin1StringView("hh:nn AMPM")},
        {QLatin1StringView("Short Time"), QLatin1StringView("hh:nn")},
    };
    for (const auto& [name, text] : names) {
        if (format.compare(name, Qt::CaseInsensitive) == 0)
            return text;
    }
    return format;
}

// Workbook codes: any date code (outside quotes, brackets other than
// elapsed time, and the character after "\", "_" or "*") makes a date format.
CompiledFormat::Kind workbookKindOf(QStringView format) {
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i].toLower();
        if (c == u'"') {
            while (i + 1 < format.size() && format[i + 1] != u'"')
                ++i;
            ++i;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            const FormatSyntax::Bracket b = FormatSyntax::bracket(format, i);
            if (b.kind != FormatSyntax::Bracket::Kind::Ignored &&
                b.kind != FormatSyntax::Bracket::Kind::Literal)
                return CompiledFormat::Kind::Date;
            i = b.end - 1;
        } else if (c == u'y' || c == u'm' || c == u'd' || c == u'h' || c == u's' ||
                   format.mid(i).startsWith(u"上午/下午") ||
                   format.mid(i).startsWith(u"AM/PM", Qt::CaseInsensitive) ||
                   format.mid(i).startsWith(u"A/P", Qt::CaseInsensitive)) {
            return CompiledFormat::Kind::Date;
        }
    }
    return CompiledFormat::Kind::Number;
}

// Digit placeholders make a number format; else date codes a date format.
CompiledFormat::Kind kindOf(QStringView format) {
    bool dateCode = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i].toLower();
        if (c == u'"') {
            while (i + 1 < format.size() && format[i + 1] != u'"')
                ++i;
            ++i;
        } else if (c == u'\\') {
            ++i;
        } else if (c == u'0' || c == u'#' || c == u'?') {
            return CompiledFormat::Kind::Number;
        } else if (c == u'y' || c == u'm' || c == u'd' || c == u'h' || c == u'n' || c == u's' ||
                   c == u'q' || c == u'w') {
            dateCode = true;
        }
    }
    if (dateCode || format.compare(u"c", Qt::CaseInsensitive) == 0)
        return CompiledFormat::Kind::Date;
    return CompiledFormat::Kind::Number;
}

} // namespace

CompiledFormat::CompiledFormat(const QString& format, FormatCodes codes)
    : m_codes(codes) {
    if (isWorkbook(codes)) {
        const QString code = format.trimmed();
        if (code.isEmpty() || code == u"@" ||
            code.compare(QLatin1StringView("General"), Qt::CaseInsensitive) == 0) {
            m_kind = Kind::Number;
            m_number = NumberFormat::general();
            return;
        }
        m_kind = workbookKindOf(code);
        if (m_kind == Kind::Number)
            m_number = NumberFormat::compile(code, NumberFormat::Path::Fast, codes);
        else
            m_date = DateFormat::compile(code, codes);
        return;
    }
    if (format.isEmpty())
        return;
    if (format.compare(QLatin1StringView("General Number"), Qt::CaseInsensitive) == 0) {
        m_kind = Kind::Number;
        m_number = NumberFormat::general();
        return;
    }
    const QString text = namedFormat(format);
    m_kind = kindOf(text);
    if (m_kind == Kind::Number)
        m_number = NumberFormat::compile(text);
    else
        m_date = DateFormat::compile(text);
}

std::shared_ptr<const CompiledFormat> CompiledFormat::of(const QString& format, FormatCodes codes) {
    // The module uses a handful of formats; the bound only guards against a
    // dictionary full of different ones.
    constexpr size_t MaxCached = 256;
    struct Cache {
        std::unordered_map<QString, std::shared_ptr<const CompiledFormat>, QStringHash> formats;
        // A sheet is formatted column by column: the last format is the likely one.
        QString lastFormat;
        std::shared_ptr<const CompiledFormat> last;
    };
    // One cache for each kind of codes, as they read one text differently.
    thread_local Cache caches[int(FormatCodes::Workbook1904) + 1];
    Cache& cache = caches[int(codes)];
    if (cache.last && format == cache.lastFormat)
        return cache.last;
    const auto found = cache.formats.find(format);
    if (found != cache.formats.end()) {
        cache.last = found->second;
    } else {
        if (cache.formats.size() >= MaxCached)
            cache.formats.clear();
        cache.last = std::make_shared<const CompiledFormat>(format, codes);
        cache.formats.emplace(format, cache.last);
    }
    cache.lastFormat = format;
    return cache.last;
}

QString CompiledFormat::formatNumber(double value) const {
    switch (m_kind) {
    case Kind::Number:
        return m_number.apply(value);
    case Kind::Date: {
        const QDateTime at = moment(value);
        return at.isValid() ? m_date.apply(at, value) : NumberText(value);
    }
    case Kind::Plain:
        break;
    }
    return NumberText(value);
}

QDateTime CompiledFormat::moment(double serial) const {
    double days = serial;
    if (m_codes == FormatCodes::Workbook1904) {
        days += 1462; // 1904-01-01
    } else if (m_codes == FormatCodes::Workbook && serial >= 1 && serial < 60) {
        days += 1; // before the 1900-02-29 that workbooks count
    }
    const int decimals = m_date.secondDecimals();
    if (decimals == 0 || !std::isfinite(days) || days < 0)
        return DateTimeFromSerial(days);
    // Whole seconds from the serial number, then the shown fraction of one.
    const double scale = std::pow(10.0, decimals);
    const double ticks = std::round(days * 86400.0 * scale);
    const double seconds = std::floor(ticks / scale);
    const QDateTime whole = DateTimeFromSerial(seconds / 86400.0);
    if (!whole.isValid())
        return whole;
    return whole.addMSecs(qint64(std::llround((ticks - seconds * scale) * 1000.0 / scale)));
}

QString CompiledFormat::formatDateTime(const QDateTime& value) const {
    if (!value.isValid())
        return {};
    switch (m_kind) {
    case Kind::Number:
        return m_number.apply(DateSerial(value));
    case Kind::Date:
        return m_date.apply(value);
    case Kind::Plain:
        break;
    }
    return DateTimeText(value);
}

} // namespace quill::vb
