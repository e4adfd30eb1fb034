#include "WorkbookStyles.h"

#include "ZipXmlReader.h"

#include <QHash>

namespace quill {

namespace {

int borderStyleNumber(QStringView name) {
    static const QStringList names{QStringLiteral("none"),
                                   QStringLiteral("thin"),
                                   QStringLiteral("medium"),
                                   QStringLiteral("dashed"),
                                   QStringLiteral("dotted"),
                                   QStringLiteral("thick"),
                                   QStringLiteral("double"),
                                   QStringLiteral("hair"),
                                   QStringLiteral("mediumDashed"),
                                   QStringLiteral("dashDot"),
                                   QStringLiteral("mediumDashDot"),
                                   QStringLiteral("dashDotDot"),
                                   QStringLiteral("mediumDashDotDot"),
                                   QStringLiteral("slantDashDot")};
    const qsizetype n = names.indexOf(name.toString());
    return n < 0 ? 0 : int(n);
}

bool isOn(const QXmlStreamAttributes& a) {
    const QStringView v = a.value(QStringLiteral("val"));
    return v.isEmpty() || v == u"1" || v == u"true";
}

} // namespace

WorkbookStyles::WorkbookStyles(const ZipArchive& zip, const QString& entry, vb::FormatCodes codes) {
    ZipXmlReader part(zip, entry);
    QXmlStreamReader& xml = part.xml();
    QHash<int, QString> formatCodes;
    QHash<int, WorkbookNumberFormat> numberFormats;
    std::vector<bool> boldFonts;
    std::vector<Sheet::Borders> borders;
    QString section;
    while (part.readNext()) {
        if (xml.isEndElement() && xml.name() == section)
            section.clear();
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.name();
        const QXmlStreamAttributes a = xml.attributes();
        if (name == u"numFmts" || name == u"fonts" || name == u"borders" || name == u"cellXfs" ||
            name == u"cellStyleXfs" || name == u"dxfs") {
            section = name.toString();
        } else if (name == u"numFmt") {
            formatCodes.insert(a.value(QStringLiteral("numFmtId")).toInt(),
                               a.value(QStringLiteral("formatCode")).toString());
        } else if (name == u"font" && section == u"fonts") {
            boldFonts.push_back(false);
        } else if (name == u"b" && section == u"fonts" && !boldFonts.empty()) {
            boldFonts.back() = isOn(a);
        } else if (name == u"border" && section == u"borders") {
            borders.emplace_back();
        } else if (section == u"borders" && !borders.empty() &&
                   (name == u"left" || name == u"right" || name == u"top" || name == u"bottom" ||
                    name == u"start" || name == u"end")) {
            const auto style = std::uint8_t(borderStyleNumber(a.value(QStringLiteral("style"))));
            Sheet::Borders& b = borders.back();
            (name == u"left" || name == u"start"  ? b.left
             : name == u"right" || name == u"end" ? b.right
             : name == u"top"                     ? b.top
                                                  : b.bottom) = style;
        } else if (name == u"xf" && section == u"cellXfs") {
            CellStyle s;
            const int font = a.value(QStringLiteral("fontId")).toInt();
            const int border = a.value(QStringLiteral("borderId")).toInt();
            const int numFmt = a.value(QStringLiteral("numFmtId")).toInt();
            s.bold =
                font >= 0 && std::size_t(font) < boldFonts.size() && boldFonts[std::size_t(font)];
            if (border >= 0 && std::size_t(border) < borders.size())
                s.borders = borders[std::size_t(border)];
            // Many cell formats share one number format: each is read once.
            auto found = numberFormats.find(numFmt);
            if (found == numberFormats.end())
                found = numberFormats.insert(
                    numFmt,
                    WorkbookNumberFormat::fromCode(
                        formatCodes.value(numFmt, WorkbookNumberFormat::builtInCode(numFmt)),
                        codes));
            s.numberFormat = *found;
            m_styles.push_back(s);
        }
    }
    part.checkComplete();
}

const WorkbookStyles::CellStyle& WorkbookStyles::style(int index) const {
    if (index < 0 || std::size_t(index) >= m_styles.size())
        return m_plain;
    return m_styles[std::size_t(index)];
}

} // namespace quill
