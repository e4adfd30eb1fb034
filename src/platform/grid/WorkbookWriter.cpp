#include "WorkbookWriter.h"

#include "GridError.h"
#include "PlainNumber.h"
#include "WorkbookNumberFormat.h"
#include "WorkbookTextEscape.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cstdio>

namespace quill {

namespace {

std::string utf8(const QString& text) {
    return text.left(WorkbookWriter::MaxTextLength).toStdString();
}

// A cell text as the workbook holds it: escaped, and no longer than a cell
// holds once escaped.
std::string cellText(QStringView text) {
    qsizetype keep = WorkbookWriter::MaxTextLength;
    for (;;) {
        const QString escaped = WorkbookTextEscape::escape(text.left(keep));
        if (escaped.size() <= WorkbookWriter::MaxTextLength)
            return escaped.toStdString();
        keep -= escaped.size() - WorkbookWriter::MaxTextLength;
    }
}

void check(lxw_error error) {
    if (error != LXW_NO_ERROR)
        throw GridError(
            QStringLiteral("写入工作簿出错：%1").arg(QString::fromUtf8(lxw_strerror(error))));
}

} // namespace

WorkbookWriter::WorkbookWriter(lxw_workbook* workbook)
    : m_workbook(workbook) {}

QString WorkbookWriter::fileSheetName(const QString& name) {
    constexpr int MaxNameLength = 31;
    QString out;
    for (const QChar c : name) {
        if (c == u'[')
            out += u'(';
        else if (c == u']')
            out += u')';
        else if (QStringView(u":*?/\\").contains(c))
            out += u'_';
        else
            out += c;
    }
    while (out.startsWith(u'\''))
        out.remove(0, 1);
    out.truncate(MaxNameLength);
    while (out.endsWith(u'\''))
        out.chop(1);
    return out.trimmed().isEmpty() ? QStringLiteral("Sheet1") : out;
}

lxw_format* WorkbookWriter::format(bool bold, Sheet::Borders b, int decimals) {
    if (!bold && b.isNone() && decimals < 0)
        return nullptr;
    const std::uint32_t key = std::uint32_t(bold) | std::uint32_t(b.left) << 1 |
                              std::uint32_t(b.right) << 5 | std::uint32_t(b.top) << 9 |
                              std::uint32_t(b.bottom) << 13 | std::uint32_t(decimals + 1) << 17;
    const auto found = m_formats.find(key);
    if (found != m_formats.end())
        return found->second;
    lxw_format* f = workbook_add_format(m_workbook);
    if (bold)
        format_set_bold(f);
    format_set_left(f, b.left);
    format_set_right(f, b.right);
    format_set_top(f, b.top);
    format_set_bottom(f, b.bottom);
    if (decimals >= 0)
        format_set_num_format(f, WorkbookNumberFormat::fixedCode(decimals).toLatin1().constData());
    m_formats.emplace(key, f);
    return f;
}

lxw_worksheet* WorkbookWriter::addSheet(const Sheet& sheet) {
    lxw_worksheet* ws =
        workbook_add_worksheet(m_workbook, utf8(fileSheetName(sheet.name())).c_str());
    if (!ws)
        throw GridError(QStringLiteral("无法在工作簿中加入工作表：%1").arg(sheet.name()));
    for (int c = 0; c < sheet.columnCount(); ++c)
        check(worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), sheet.columnWidth(c) / 256.0,
                                   nullptr));
    for (int r = 0; r < sheet.rowCount(); ++r) {
        const auto row = lxw_row_t(r);
        // The last row is marked even when empty, so the sheet keeps its size.
        if (r == sheet.rowCount() - 1)
            check(worksheet_set_row(ws, row, LXW_DEF_ROW_HEIGHT, nullptr));
        for (int c = 0; c < sheet.columnCount(); ++c) {
            const auto col = lxw_col_t(c);
            const bool bold = sheet.bold(r, c);
            const Sheet::Borders borders = sheet.borders(r, c);
            const QStringView text = sheet.textView(r, c);
            switch (sheet.kind(r, c)) {
            case Sheet::Kind::Empty:
                if (lxw_format* f = format(bold, borders, -1))
                    check(worksheet_write_blank(ws, row, col, f));
                break;
            case Sheet::Kind::Plain:
                if (const auto number = PlainNumber::parse(text)) {
                    check(worksheet_write_number(ws, row, col, number->value,
                                                 format(bold, borders, number->decimals)));
                    break;
                }
                [[fallthrough]];
            case Sheet::Kind::Text:
                check(worksheet_write_string(ws, row, col, cellText(text).c_str(),
                                             format(bold, borders, -1)));
                break;
            case Sheet::Kind::Formula: {
                const std::string formula = utf8(sheet.formula(r, c));
                if (!sheet.hasFormulaValue(r, c)) {
                    // No value rather than a stale 0: other programs compute it.
                    check(worksheet_write_formula_str(ws, row, col, formula.c_str(),
                                                      format(bold, borders, -1), ""));
                } else if (const auto number = PlainNumber::parse(text)) {
                    check(worksheet_write_formula_num(ws, row, col, formula.c_str(),
                                                      format(bold, borders, number->decimals),
                                                      number->value));
                } else {
                    check(worksheet_write_formula_str(ws, row, col, formula.c_str(),
                                                      format(bold, borders, -1),
                                                      cellText(text).c_str()));
                }
                break;
            }
            }
        }
    }
    return ws;
}

void WorkbookWriter::save(const Sheet& sheet, const QString& path) {
    save(sheet, path, Finish());
}

void WorkbookWriter::save(const Sheet& sheet, const QString& path, const Finish& finish) {
    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.quill-XXXXXX.tmp"));
    if (!temp.open())
        throw GridError::unwritable(path, temp.errorString());
    temp.close();
    const QByteArray tempName = QFile::encodeName(temp.fileName());

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(tempName.constData(), &options);
    if (!workbook)
        throw GridError::unwritable(path, QStringLiteral("无法创建工作簿"));
    try {
        lxw_worksheet* written = WorkbookWriter(workbook).addSheet(sheet);
        if (finish)
            finish(workbook, written);
    } catch (const GridError& e) {
        workbook_close(workbook);
        throw GridError::unwritable(path, e.message());
    }
    const lxw_error closed = workbook_close(workbook);
    if (closed != LXW_NO_ERROR)
        throw GridError::unwritable(path, QString::fromUtf8(lxw_strerror(closed)));
    QFile::setPermissions(temp.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (std::rename(tempName.constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        throw GridError::unwritable(path, QStringLiteral("无法替换原文件"));
    temp.setAutoRemove(false);
}

} // namespace quill
