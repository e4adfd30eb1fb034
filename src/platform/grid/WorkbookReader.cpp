#include "WorkbookReader.h"

#include "CellRange.h"
#include "FormulaMove.h"
#include "GridError.h"
#include "WorkbookStyles.h"
#include "WorkbookTextEscape.h"
#include "ZipArchive.h"
#include "ZipXmlReader.h"

#include "platform/vb/ParseDate.h"

#include <QDir>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace quill {

namespace {

struct Relationship {
    QString type;
    QString target;
};

// A relationship target as an entry name, relative to the part's folder.
QString resolveTarget(const QString& part, const QString& target) {
    if (target.startsWith(u'/'))
        return target.mid(1);
    const QString folder = part.left(part.lastIndexOf(u'/') + 1);
    return QDir::cleanPath(folder + target);
}

QString relationshipsOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) +
           QStringLiteral(".rels");
}

QHash<QString, Relationship> readRelationships(const ZipArchive& zip, const QString& part) {
    QHash<QString, Relationship> rels;
    const QString entry = relationshipsOf(part);
    if (!zip.contains(entry))
        return rels;
    ZipXmlReader reader(zip, entry);
    while (reader.readNext()) {
        if (!reader.xml().isStartElement() || reader.xml().name() != u"Relationship")
            continue;
        const QXmlStreamAttributes a = reader.xml().attributes();
        rels.insert(
            a.value(QStringLiteral("Id")).toString(),
            Relationship{a.value(QStringLiteral("Type")).toString(),
                         resolveTarget(part, a.value(QStringLiteral("Target")).toString())});
    }
    reader.checkComplete();
    return rels;
}

QString targetOfType(const QHash<QString, Relationship>& rels, QStringView typeEnd) {
    for (const Relationship& r : rels) {
        if (r.type.endsWith(typeEnd))
            return r.target;
    }
    return QString();
}

std::vector<QString> readSharedStrings(const ZipArchive& zip, const QString& entry) {
    std::vector<QString> strings;
    if (entry.isEmpty() || !zip.contains(entry))
        return strings;
    ZipXmlReader reader(zip, entry);
    while (reader.readNext()) {
        if (reader.xml().isStartElement() && reader.xml().name() == u"si")
            strings.push_back(WorkbookTextEscape::decode(reader.elementText()));
    }
    reader.checkComplete();
    return strings;
}

struct SheetRef {
    QString name;
    QString entry;
    vb::FormatCodes codes = vb::FormatCodes::Workbook;
};

bool isTrue(QStringView value) {
    return value == u"1" || value == u"true";
}

// The first worksheet and the workbook's date system (which comes before
// the sheets).
SheetRef firstWorksheet(const ZipArchive& zip, const QString& workbook) {
    const QHash<QString, Relationship> rels = readRelationships(zip, workbook);
    ZipXmlReader reader(zip, workbook);
    vb::FormatCodes codes = vb::FormatCodes::Workbook;
    while (reader.readNext()) {
        if (reader.xml().isStartElement() && reader.xml().name() == u"workbookPr" &&
            isTrue(reader.xml().attributes().value(QStringLiteral("date1904"))))
            codes = vb::FormatCodes::Workbook1904;
        if (!reader.xml().isStartElement() || reader.xml().name() != u"sheet")
            continue;
        QString id;
        for (const QXmlStreamAttribute& a : reader.xml().attributes()) {
            if (a.name() == u"id" && !a.prefix().isEmpty())
                id = a.value().toString();
        }
        const Relationship r = rels.value(id);
        if (r.type.endsWith(u"/worksheet"))
            return SheetRef{reader.xml().attributes().value(QStringLiteral("name")).toString(),
                            r.target, codes};
    }
    reader.checkComplete();
    throw GridError(
        QStringLiteral("工作簿中没有工作表：%1").arg(QDir::toNativeSeparators(zip.path())));
}

struct ColumnSpan {
    int first;
    int last;
    int width;
};

class WorksheetParser {
public:
    WorksheetParser(const ZipArchive& zip, const QString& entry, const WorkbookStyles& styles,
                    const std::vector<QString>& strings)
        : m_reader(zip, entry)
        , m_styles(styles)
        , m_strings(strings)
        , m_path(zip.path()) {}

    void parseInto(Sheet& sheet);

private:
    void readCell(Sheet& sheet);
    void fit(Sheet& sheet, int row, int col);
    [[noreturn]] void damaged(const QString& why) const {
        throw GridError(QStringLiteral("工作簿文件已损坏（%1）：%2")
                            .arg(why, QDir::toNativeSeparators(m_path)));
    }
    [[noreturn]] void misplaced() const { damaged(QStringLiteral("单元格位置不对")); }
    ColumnSpan columnSpan(const QXmlStreamAttributes& a) const;

    // The formula a cell of a shared formula group takes over, moved from its
    // first cell.
    struct SharedFormula {
        QString formula;
        int row;
        int col;
    };
    QString formulaOf(const QXmlStreamAttributes& a, const QString& text, int row, int col);

    ZipXmlReader m_reader;
    QHash<QString, SharedFormula> m_shared;
    const WorkbookStyles& m_styles;
    const std::vector<QString>& m_strings;
    QString m_path;
    int m_row = -1;
    int m_nextCol = 0;
    int m_maxRow = -1;
    int m_maxCol = -1;
};

void WorksheetParser::parseInto(Sheet& sheet) {
    // Width ranges that run over many columns style the rest of the sheet;
    // only narrower ones tell how many columns it has.
    constexpr int MaxSizingSpan = 256;
    QXmlStreamReader& xml = m_reader.xml();
    std::vector<ColumnSpan> spans;
    int defaultWidth = Sheet::DefaultColumnWidth;
    while (m_reader.readNext()) {
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.name();
        const QXmlStreamAttributes a = xml.attributes();
        if (name == u"c") {
            readCell(sheet);
        } else if (name == u"row") {
            const QStringView r = a.value(QStringLiteral("r"));
            // Read wide: a row number near the int limits must not overflow.
            const qint64 row = r.isEmpty() ? qint64(m_row) + 1 : r.toLongLong() - 1;
            if (row < 0 || row >= Sheet::MaxRows)
                misplaced();
            m_row = int(row);
            m_nextCol = 0;
            m_maxRow = std::max(m_maxRow, m_row);
        } else if (name == u"col") {
            const ColumnSpan span = columnSpan(a);
            spans.push_back(span);
            if (span.last - span.first < MaxSizingSpan)
                m_maxCol = std::max(m_maxCol, span.last);
        } else if (name == u"sheetFormatPr" && a.hasAttribute(QStringLiteral("defaultColWidth"))) {
            defaultWidth = WorkbookReader::widthFromFile(
                a.value(QStringLiteral("defaultColWidth")).toDouble());
        } else if (name == u"dimension") {
            const auto range = CellRange::parse(a.value(QStringLiteral("ref")));
            if (range && range->lastCol < MaxSizingSpan && sheet.rowCount() == 0)
                sheet.resize(0, std::max(sheet.columnCount(), range->lastCol + 1));
        }
    }
    m_reader.checkComplete();
    if ((long long)(m_maxRow + 1) * (m_maxCol + 1) > Sheet::MaxCells)
        throw GridError(
            QStringLiteral("工作表太大，无法读取：%1").arg(QDir::toNativeSeparators(m_path)));
    sheet.resize(m_maxRow + 1, m_maxCol + 1);
    for (int c = 0; c < sheet.columnCount(); ++c)
        sheet.setColumnWidth(c, defaultWidth);
    for (const ColumnSpan& s : spans) {
        for (int c = s.first; c <= s.last && c < sheet.columnCount(); ++c)
            sheet.setColumnWidth(c, s.width);
    }
}

// Columns from min to max, counted from 1; a max past the last column is cut
// there, as some writers style every column to the end.
ColumnSpan WorksheetParser::columnSpan(const QXmlStreamAttributes& a) const {
    bool minRead = false;
    bool maxRead = false;
    const int min = a.value(QStringLiteral("min")).toInt(&minRead);
    const int max = a.value(QStringLiteral("max")).toInt(&maxRead);
    if (!minRead || !maxRead || min < 1 || min > Sheet::MaxCols || max < min)
        damaged(QStringLiteral("列宽范围不对"));
    return ColumnSpan{min - 1, std::min(max, Sheet::MaxCols) - 1,
                      WorkbookReader::widthFromFile(a.value(QStringLiteral("width")).toDouble())};
}

void WorksheetParser::fit(Sheet& sheet, int row, int col) {
    if (row < sheet.rowCount() && col < sheet.columnCount())
        return;
    int cols = sheet.columnCount();
    if (col >= cols)
        cols = std::min(Sheet::MaxCols, std::max(col + 1, cols + cols / 2));
    const int rows = std::max(sheet.rowCount(), row + 1);
    if ((long long)rows * std::max(cols, col + 1) > Sheet::MaxCells)
        throw GridError(
            QStringLiteral("工作表太大，无法读取：%1").arg(QDir::toNativeSeparators(m_path)));
    if ((long long)rows * cols > Sheet::MaxCells)
        cols = col + 1;
    sheet.resize(rows, cols);
}

void WorksheetParser::readCell(Sheet& sheet) {
    QXmlStreamReader& xml = m_reader.xml();
    const QXmlStreamAttributes a = xml.attributes();
    int row = std::max(m_row, 0);
    int col = m_nextCol;
    if (a.hasAttribute(QStringLiteral("r"))) {
        const auto at = CellRange::parseCell(a.value(QStringLiteral("r")));
        if (!at)
            misplaced();
        row = at->firstRow;
        col = at->firstCol;
    }
    // A cell without a reference takes the next column, which may lie past
    // the last one.
    if (col >= Sheet::MaxCols)
        misplaced();
    m_nextCol = col + 1;
    const QString type = a.value(QStringLiteral("t")).toString();
    const WorkbookStyles::CellStyle& style = m_styles.style(a.value(QStringLiteral("s")).toInt());

    QString value;
    QString formula;
    bool hasValue = false;
    while (m_reader.readNext()) {
        if (xml.isEndElement())
            break;
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.name();
        if (name == u"v" || name == u"is") {
            value = m_reader.elementText();
            hasValue = true;
        } else if (name == u"f") {
            const QXmlStreamAttributes f = xml.attributes();
            formula = formulaOf(f, m_reader.elementText(), row, col);
        } else {
            m_reader.skipElement();
        }
    }

    fit(sheet, row, col);
    m_maxRow = std::max(m_maxRow, row);
    m_maxCol = std::max(m_maxCol, col);
    sheet.setBold(row, col, style.bold);
    sheet.setBorders(row, col, style.borders);

    QString shown;
    bool isText = true;
    if (type == u"s") {
        const int index = hasValue ? value.toInt() : -1;
        if (index >= 0 && std::size_t(index) < m_strings.size())
            shown = m_strings[std::size_t(index)];
    } else if (type == u"b" && hasValue) {
        shown = value.trimmed() == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    } else if (type == u"str" || type == u"inlineStr") {
        shown = WorkbookTextEscape::decode(value);
    } else if (type == u"d") {
        // A date written as ISO text shows through the cell's format.
        const auto moment = vb::ParseDate(value);
        shown = moment ? style.numberFormat.format(*moment) : value;
    } else if (type == u"e") {
        shown = value;
    } else if (hasValue && !value.isEmpty()) {
        bool ok = false;
        const double number = value.toDouble(&ok);
        shown = ok ? style.numberFormat.format(number) : value;
        isText = false;
    }

    // A formula read from a file shows the value it was saved with, and
    // nothing (an empty, not a null, value) when it was saved without one.
    if (!formula.isEmpty())
        sheet.setFormula(row, col, u'=' + formula, shown.isNull() ? QStringLiteral("") : shown);
    else if (isText)
        sheet.setText(row, col, shown);
    else
        sheet.setEntry(row, col, shown);
}

// The first cell of a shared formula group holds its text; the others hold
// only the group's number and take the text moved by their distance.
QString WorksheetParser::formulaOf(const QXmlStreamAttributes& a, const QString& text, int row,
                                   int col) {
    if (a.value(QStringLiteral("t")) != u"shared" || !a.hasAttribute(QStringLiteral("si")))
        return text;
    const QString group = a.value(QStringLiteral("si")).toString();
    if (!text.isEmpty()) {
        m_shared.insert(group, SharedFormula{text, row, col});
        return text;
    }
    const auto found = m_shared.constFind(group);
    if (found == m_shared.constEnd())
        return text;
    return movedFormula(found->formula, row - found->row, col - found->col);
}

} // namespace

int WorkbookReader::widthFromFile(double fileWidth) {
    // A workbook column is characters of 7 pixels plus 5 pixels of padding.
    if (!(fileWidth > 0))
        return 0;
    const double pixels = std::round(fileWidth * 7);
    const double chars = pixels >= 12 ? (pixels - 5) / 7 : pixels / 12;
    return int(std::clamp(std::round(chars * 256), 0.0, 65535.0));
}

Sheet WorkbookReader::read(const QString& path) {
    const ZipArchive zip(path);
    QString workbook = targetOfType(readRelationships(zip, QString()), u"/officeDocument");
    if (workbook.isEmpty())
        workbook = QStringLiteral("xl/workbook.xml");
    if (!zip.contains(workbook)) {
        throw GridError(QStringLiteral("不是工作簿文件：%1").arg(QDir::toNativeSeparators(path)));
    }
    const SheetRef first = firstWorksheet(zip, workbook);
    const QHash<QString, Relationship> rels = readRelationships(zip, workbook);
    const QString stylesEntry = targetOfType(rels, u"/styles");
    const WorkbookStyles styles = stylesEntry.isEmpty() || !zip.contains(stylesEntry)
                                      ? WorkbookStyles()
                                      : WorkbookStyles(zip, stylesEntry, first.codes);
    const std::vector<QString> strings =
        readSharedStrings(zip, targetOfType(rels, u"/sharedStrings"));

    Sheet sheet;
    WorksheetParser(zip, first.entry, styles, strings).parseInto(sheet);
    sheet.setName(first.name);
    return sheet;
}

} // namespace quill
